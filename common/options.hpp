// The command line as both programs read it: GNU long options, --name,
// --name=value or --name value, before the operands; the options that both
// take; and the operands that a question needs.  Each program declares its own options
// and the settings they read into; this file knows none of them.  Uses the
// C library, fields.hpp and messages.hpp.
//
// The options form starts only when the first argument is one of the
// program's options that change a run (not --help or --version, which
// alone keep their meaning), so that every other argument vector means
// what it meant before options existed: skysep --x 0 0 0 still reads --x
// as a right ascension.  In the options form, the first operand or a "--"
// ends the options, and nothing is reordered.
#ifndef COMMON_OPTIONS_HPP
#define COMMON_OPTIONS_HPP

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "decimal.hpp"
#include "fields.hpp"
#include "messages.hpp"

// An option: its name, and what its value is called in a message, or null
// for an option that takes no value.
struct Option {
	const char *name;
	const char *value;
};

// The options that both programs take, in this order.
enum CommonOption {
	OPT_DEGREES, OPT_HOURS, OPT_DECIMALS, OPT_BARE, OPT_COLUMNS, OPT_BYTES, OPT_DELIMITER, OPT_HELP, OPT_VERSION
};
constexpr Option COMMON_OPTIONS[] = {
	{"degrees", nullptr}, {"hours", nullptr},     {"decimals", "N"}, {"bare", nullptr},    {"columns", "LIST"},
	{"bytes", "LIST"},    {"delimiter", "C"},     {"help", nullptr}, {"version", nullptr},
};
constexpr int COMMON_OPTION_COUNT = sizeof COMMON_OPTIONS / sizeof *COMMON_OPTIONS;

// A program's own options, and what reads them into its settings S: for
// each of them, in the order given, take(prog, settings, k, value) with k
// its place in list and its value (null for one that takes none); take
// returns false after a message through misuse() if the value is not one
// that the option takes.  A value that depends on another option is read
// after them all, by the program.
template <typename S>
struct OwnOptions {
	const Option *list;
	int count;
	bool (*take)(const char *prog, S &settings, int option, char *value);
};

// What the command line holds, beyond a program's own options.
struct CommandLine {
	bool plain;          // no option and not "-": the operands as the first release read them
	bool help, version;  // --help, --version
	bool catalogue;      // the one operand "-"
	int decimals;        // --decimals, 0 to DECIMALS_MAX, or -1 if not given
	bool bare;           // --bare: the numbers alone
	bool degrees;        // --degrees: right ascensions without marks in degrees
	bool hours;          // --hours: right ascensions without marks in hours
	char delimiter;      // --delimiter's byte, or 0 for runs of blanks and tabs
	char *columns;       // --columns's list as given, or null
	char *bytes;         // --bytes's list as given, or null
	char **operands;
	int operand_count;
};

// Reports a fault of the command line: the program's name and the reason,
// formatted, then the usage text, formatted with the name, on standard
// error.  Returns false.
inline bool misuse(const char *prog, const char *usage, const char *format, ...)
{
	std::va_list args;
	va_start(args, format);
	std::fprintf(stderr, "%s: ", prog);
	std::vfprintf(stderr, format, args);
	va_end(args);
	std::fputc('\n', stderr);
	std::fprintf(stderr, usage, prog);
	return false;
}

// The option that the argument a names (its name, before any "="), counted
// over the common options and then the n options of own; -1 if none.
inline int option_of(const char *a, const Option *own, int n)
{
	if (std::strncmp(a, "--", 2) != 0)
		return -1;
	a += 2;
	size_t length = std::strcspn(a, "=");
	for (int k = 0; k < COMMON_OPTION_COUNT + n; k++) {
		const char *name = k < COMMON_OPTION_COUNT ? COMMON_OPTIONS[k].name : own[k - COMMON_OPTION_COUNT].name;
		if (std::strlen(name) == length && std::strncmp(name, a, length) == 0)
			return k;
	}
	return -1;
}

// Reads the lone forms, --help, --version and "-", and the first
// release's operands, plain of them, from argv into o.  Returns false
// after the usage text on standard error for any other count.
inline bool read_lone_form(const char *prog, int argc, char *argv[], const char *usage, int plain, CommandLine &o)
{
	bool lone = argc == 2;
	o.help = lone && std::strcmp(argv[1], "--help") == 0;
	o.version = lone && std::strcmp(argv[1], "--version") == 0;
	o.catalogue = lone && std::strcmp(argv[1], "-") == 0;
	o.plain = !o.catalogue;
	o.operands = argv + 1;
	o.operand_count = argc > 1 ? argc - 1 : 0;
	if (!o.help && !o.version && !o.catalogue && o.operand_count != plain) {
		std::fprintf(stderr, usage, prog);
		return false;
	}
	return true;
}

// Takes the common option k, other than --help and --version, with its
// value into o.  Returns false after a message and the usage text if the
// value is not one that the option takes.
inline bool take_common_option(const char *prog, const char *usage, int k, char *value, CommandLine &o)
{
	switch (k) {
	case OPT_DEGREES:
		o.degrees = true;
		break;
	case OPT_HOURS:
		o.hours = true;
		break;
	case OPT_DECIMALS:
		if (value[0] < '0' || value[0] > '9' || value[1] != '\0')
			return misuse(prog, usage, "option --decimals: \"%s\" is not a number from 0 to %d", escaped(value),
			              DECIMALS_MAX);
		o.decimals = value[0] - '0';
		break;
	case OPT_BARE:
		o.bare = true;
		break;
	case OPT_COLUMNS:
		o.columns = value;
		break;
	case OPT_BYTES:
		o.bytes = value;
		break;
	case OPT_DELIMITER:
		if (value[0] == '\0' || value[1] != '\0' || value[0] == '"' || value[0] == '\r' || value[0] == '\n')
			return misuse(prog, usage,
			              "option --delimiter: \"%s\" is not one byte other than a double quote, "
			              "carriage return or newline",
			              escaped(value));
		o.delimiter = value[0];
		break;
	}
	return true;
}

// The value of the option at argv[*i], which takes a value or not: after
// "=", or the next argument, which *i then moves to; null for one that
// takes none.  Returns false after a message and the usage text for a
// value given to an option that takes none, or missing.
inline bool option_value(const char *prog, const char *usage, const Option &option, int argc, char *argv[], int *i,
                         char **value)
{
	*value = std::strchr(argv[*i], '=');
	if (option.value == nullptr && *value != nullptr)
		return misuse(prog, usage, "option --%s takes no value", option.name);
	if (*value != nullptr)
		++*value;
	else if (option.value != nullptr && *i + 1 < argc)
		*value = argv[++*i];
	else if (option.value != nullptr)
		return misuse(prog, usage, "option --%s needs a value: --%s=%s", option.name, option.name, option.value);
	return true;
}

// Reads argv into o and the program's own options through own into
// settings.  A run without options must have plain operands; usage is the
// program's usage text.  Returns false after a message and the usage text
// on standard error if the command line is not one that the program takes.
// The operands of the options form are checked by check_operands.
//
// The options form starts with an option, or with "-" and an option after
// it in a run of any other count of arguments than the plain one; the
// first operand or "--" ends the options, but that options may follow the
// operand "-" as they may precede it, as GNU programs read them.
template <typename S>
inline bool read_options(const char *prog, int argc, char *argv[], const char *usage, int plain,
                         const OwnOptions<S> &own, S &settings, CommandLine &o)
{
	o = CommandLine{};
	o.decimals = -1;
	int first = argc > 1 ? option_of(argv[1], own.list, own.count) : -1;
	bool dash_first = argc > 2 && argc - 1 != plain && std::strcmp(argv[1], "-") == 0 &&
	                  std::strncmp(argv[2], "--", 2) == 0;
	if (!dash_first && (first < 0 || first == OPT_HELP || first == OPT_VERSION))
		return read_lone_form(prog, argc, argv, usage, plain, o);

	int i = 1, dash = -1; // dash: where a "-" stood among the options
	for (; i < argc; i++) {
		if (dash < 0 && std::strcmp(argv[i], "-") == 0 && i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) == 0) {
			dash = i;
			continue;
		}
		if (std::strncmp(argv[i], "--", 2) != 0)
			break;
		if (argv[i][2] == '\0') {
			i++;
			break;
		}
		int k = option_of(argv[i], own.list, own.count);
		if (k < 0)
			return misuse(prog, usage, "unknown option \"%s\"", escaped(argv[i]));
		const Option &option = k < COMMON_OPTION_COUNT ? COMMON_OPTIONS[k] : own.list[k - COMMON_OPTION_COUNT];
		char *value;
		if (!option_value(prog, usage, option, argc, argv, &i, &value))
			return false;
		if (k == OPT_HELP || k == OPT_VERSION) {
			(k == OPT_HELP ? o.help : o.version) = true;
			return true;
		}
		if (k < COMMON_OPTION_COUNT ? !take_common_option(prog, usage, k, value, o)
		                            : !own.take(prog, settings, k - COMMON_OPTION_COUNT, value))
			return false;
	}
	// A "-" among the options is the first operand: it moves to just
	// before the others, as GNU programs reorder their arguments.
	if (dash >= 0) {
		char *minus = argv[dash];
		for (int k = dash; k + 1 < i; k++)
			argv[k] = argv[k + 1];
		argv[--i] = minus;
	}
	o.operands = argv + i;
	o.operand_count = argc - i;
	o.catalogue = o.operand_count == 1 && std::strcmp(o.operands[0], "-") == 0;
	if (o.hours && o.degrees)
		return misuse(prog, usage, "--hours and --degrees together");
	return true;
}

// The names, count of them, separated by the byte between, into buf of
// size bytes.
inline const char *joined(const char *const names[], int count, char between, char *buf, size_t size)
{
	size_t n = 0;
	buf[0] = '\0';
	for (int k = 0; k < count && n < size; k++)
		n += static_cast<size_t>(std::snprintf(buf + n, size - n, "%.*s%s", k > 0, &between, names[k]));
	return buf;
}

// Checks that the operands of the options form in o are a question of
// count fields with the names given, or "-", and reads --delimiter and
// --columns into cutting for them.  with names the option that fixes part
// of each question (for its message), or is null.  Returns false after a message
// and the usage text if they are not.
inline bool check_operands(const char *prog, const char *usage, CommandLine &o, const char *const names[],
                           int count, const char *with, Cutting &cutting)
{
	char blanks[256], commas[256];
	if (o.bytes != nullptr && (o.columns != nullptr || o.delimiter != '\0'))
		return misuse(prog, usage, "--bytes and --%s together", o.columns != nullptr ? "columns" : "delimiter");
	if (!o.catalogue && (o.columns != nullptr || o.delimiter != '\0' || o.bytes != nullptr))
		return misuse(prog, usage, "option --%s reads catalogue mode's lines: give the operand -",
		              o.columns != nullptr ? "columns" : o.bytes != nullptr ? "bytes" : "delimiter");
	if (!o.catalogue && o.operand_count != count)
		return misuse(prog, usage, "expected %d operands%s%s, %s, or -; found %d", count,
		              with != nullptr ? " with --" : "", with != nullptr ? with : "",
		              joined(names, count, ' ', blanks, sizeof blanks), o.operand_count);
	cutting.delimiter = o.delimiter;
	cutting.columns = first_columns(count);
	if (o.columns != nullptr && !choose_columns(o.columns, count, cutting.columns))
		return misuse(prog, usage,
		              "option --columns: \"%s\" is not %d field numbers (1 to %d) or column names, %s",
		              escaped(o.columns), count, FIELD_NUMBER_MAX, joined(names, count, ',', commas, sizeof commas));
	if (o.bytes != nullptr && !choose_bytes(o.bytes, count, cutting.columns))
		return misuse(prog, usage, "option --bytes: \"%s\" is not %d ranges of bytes (N or N-M, 1 to %zu), %s",
		              escaped(o.bytes), count, LINE_MAX_BYTES, joined(names, count, ',', commas, sizeof commas));
	return true;
}

#endif
