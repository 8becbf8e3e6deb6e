// The line reader, in process: each input of the table read through
// every block size of the table, from memory, must give the same lines,
// those that cutting the input at its newlines gives; and a read that
// fails must be reported.
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "line_reader.hpp"

using namespace std::string_literals;

// Bytes in memory, read as a file would be.
struct Memory {
	const std::string *bytes;
	size_t at;
	size_t fail_at; // the offset where a read fails with EIO; npos for never
	bool interrupted; // the next read is interrupted first
};

static ssize_t read_memory(void *source, char *buf, size_t n)
{
	Memory &m = *static_cast<Memory *>(source);
	if (m.interrupted) {
		m.interrupted = false;
		errno = EINTR;
		return -1;
	}
	if (m.at >= m.fail_at) {
		errno = EIO;
		return -1;
	}
	size_t left = std::min(m.bytes->size(), m.fail_at) - m.at;
	n = std::min(n, left);
	m.bytes->copy(buf, n, m.at);
	m.at += n;
	m.interrupted = true; // every other read is interrupted
	return static_cast<ssize_t>(n);
}

// The lines that cutting text at its newlines gives: the last one only if
// it is not empty.
static std::vector<std::string> cut(const std::string &text)
{
	std::vector<std::string> lines;
	size_t start = 0;
	for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
		lines.push_back(text.substr(start, nl - start));
	if (start < text.size())
		lines.push_back(text.substr(start));
	return lines;
}

// The longest line kept whole: the longest answered, and a carriage return.
static const size_t LIMIT = LINE_MAX_BYTES + 1;
static const std::string KEPT = std::string(LINE_MAX_BYTES, 'k') + "\r", LONG(LIMIT + 1, 'l'),
                         LONGER(3 * BLOCK_MAX + 5, 'x');

// Inputs, by theme.
static const std::vector<std::string> inputs = {
	// Newlines: none, at the end or not, empty lines, carriage returns kept.
	"", "\n", "\n\n", "a", "a\n", "a\nb", "ab\ncd\n", "a\r\n\r\nb\r", "\0a\0\n\0"s,
	// Lines at the longest kept, one byte more, and longer than any block,
	// with and without a newline after them, and lines after them.
	KEPT + "\n" + KEPT, LONG + "\nafter\n", "before\n" + LONG, LONGER + "\n" + KEPT + "\n" + LONGER,
	"a\n" + LONGER + "\nb\n" + LONG + "\n\n" + KEPT + "\r\n",
};
static const size_t blocks[] = {1, 2, 7, 4096, BLOCK_MAX};

static LineReader reader; // large: in static memory

int main()
{
	int failed = 0, passed = 0;
	for (const std::string &input : inputs) {
		std::vector<std::string> want = cut(input);
		for (size_t block : blocks) {
			Memory m{&input, 0, std::string::npos, false};
			line_reader(reader, read_memory, &m, block);
			std::vector<std::string> got;
			std::vector<bool> too_long;
			char *text;
			size_t length;
			bool overlong;
			int r;
			while ((r = read_line(reader, &text, &length, &overlong)) == 1) {
				got.push_back(std::string(text, length));
				too_long.push_back(overlong || length > LIMIT);
			}
			// A line too long is one line, taken as overlong or whole; any
			// other is itself, to the byte.
			bool ok = r == 0 && got.size() == want.size();
			for (size_t i = 0; ok && i < want.size(); i++)
				ok = want[i].size() > LIMIT ? too_long[i] : !too_long[i] && got[i] == want[i];
			if (ok) {
				passed++;
				continue;
			}
			failed++;
			std::printf("FAIL: input of %zu bytes, %zu lines, in blocks of %zu: got %zu lines, status %d\n",
			            input.size(), want.size(), block, got.size(), r);
		}
	}
	// A read error after the first line: that line, then -1 with errno.
	const std::string text = "first\nsecond\n";
	for (size_t block : blocks) {
		Memory m{&text, 0, 8, false};
		line_reader(reader, read_memory, &m, block);
		char *t;
		size_t length;
		bool overlong;
		int first = read_line(reader, &t, &length, &overlong);
		bool ok = first == 1 && std::string(t, length) == "first";
		int second = read_line(reader, &t, &length, &overlong);
		ok = ok && second == -1 && errno == EIO;
		if (ok) {
			passed++;
		} else {
			failed++;
			std::printf("FAIL: read error in blocks of %zu: statuses %d, %d\n", block, first, second);
		}
	}
	std::printf("%d passed, %d failed\n", passed, failed);
	return failed != 0;
}
