// The command line that both programs share: GNU long options, --name or
// --name=value, before the operands, and what they set.
//
// The options form starts only when the first argument is one of the
// options that change a run (not --help or --version, which alone keep
// their meaning), so that every other argument vector means what it
// meant before options existed: skysep --x 0 0 0 still reads --x as a
// right ascension.  In the options form, the first operand or a "--"
// ends the options, and nothing is reordered.
#ifndef OPTIONS_HPP
#define OPTIONS_HPP

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "angles.hpp"
#include "coordinates.hpp"
#include "lines.hpp"

struct EpochMatrix;

// What an answer is computed and printed with.
struct Settings {
	Reading reading;
	int decimals;            // of every decimal number printed, 0 to DECIMALS_MAX
	bool bare;               // the numbers alone
	const Vec *from;         // skysep: the one position that all are measured from, or null
	const double *year;      // precession: the one year that all are moved to, or null
	int model;               // precession: the model, counted in Program's models from 0
	EpochMatrix *last;       // precession: the matrix of the last epoch, kept between answers
};

// A program, as its command line sees it.
struct Program {
	const char *usage;       // formatted with the invocation name
	const char *operands;    // the names of the operands, "ra1 dec1 ra2 dec2"
	Reading::Kind plain;     // how a run without options reads them
	bool numbers;            // the catalogue reading takes any number in whole
	int decimals;            // the decimals printed without --decimals
	// The option that fixes part of every question, "from" (skysep's
	// --from=RA,DEC) or "year" (precession's --year=YEAR), and the names of
	// the operands then left.
	const char *fixed;
	const char *rest;
	// The names of the models that --model chooses from, separated by
	// blanks, the default first; or null for a program without models.
	const char *models;
};

// The command line, read.
struct Options {
	Settings settings;
	bool help, version;
	bool plain;              // no option: as the first release read it
	bool catalogue;          // the one operand "-"
	char **operands;
	int operand_count;
	char *fixed;             // the value of --from or --year, or null
	char delimiter;          // --delimiter's byte, or 0 for runs of blanks and tabs
	Columns columns;         // --columns's choice, or the first fields
};

// The options that a program may take.
enum Option {
	OPT_FROM, OPT_YEAR, OPT_MODEL, OPT_DEGREES, OPT_DECIMALS, OPT_BARE, OPT_COLUMNS, OPT_DELIMITER, OPT_HELP,
	OPT_VERSION, NO_OPTION
};
struct OptionName {
	const char *name;
	const char *value;       // what its value is, for a message; null if it takes none
};
constexpr OptionName OPTION_NAMES[] = {
	{"from", "RA,DEC"},  {"year", "YEAR"},    {"model", "NAME"}, {"degrees", nullptr}, {"decimals", "N"},
	{"bare", nullptr},   {"columns", "LIST"}, {"delimiter", "C"}, {"help", nullptr},  {"version", nullptr},
};

// The number of words, separated by blanks, in the text s.
inline int words(const char *s)
{
	int n = 1;
	for (; (s = std::strchr(s, ' ')) != nullptr; s++)
		n++;
	return n;
}

// The place of the word s in the blank-separated list, counted from 0, or
// -1 if it is not one of them.
inline int word_in(const char *list, const char *s)
{
	size_t n = std::strlen(s);
	for (int i = 0;; i++) {
		size_t w = std::strcspn(list, " ");
		if (w == n && std::strncmp(list, s, n) == 0)
			return i;
		if (list[w] == '\0')
			return -1;
		list += w + 1;
	}
}

// The option that the argument a names (its name, before any "="), or
// NO_OPTION.
inline Option option_of(const char *a, const Program &program)
{
	if (std::strncmp(a, "--", 2) != 0)
		return NO_OPTION;
	a += 2;
	size_t n = std::strcspn(a, "=");
	for (int o = OPT_FROM; o < NO_OPTION; o++) {
		const char *name = OPTION_NAMES[o].name;
		if (std::strlen(name) != n || std::strncmp(name, a, n) != 0)
			continue;
		if ((o == OPT_FROM || o == OPT_YEAR) && std::strcmp(name, program.fixed) != 0)
			return NO_OPTION;
		if (o == OPT_MODEL && program.models == nullptr)
			return NO_OPTION;
		return static_cast<Option>(o);
	}
	return NO_OPTION;
}

// Reports a fault of the command line: the program's name and the reason,
// formatted, then the usage text, on standard error.  Returns false.
inline bool misuse(const char *prog, const Program &program, const char *format, ...)
{
	std::va_list args;
	va_start(args, format);
	std::fprintf(stderr, "%s: ", prog);
	std::vfprintf(stderr, format, args);
	va_end(args);
	std::fputc('\n', stderr);
	std::fprintf(stderr, program.usage, prog);
	return false;
}

// Reads the command line argv of program into o.  Returns false after a
// message and the usage text on standard error if it is not one that the
// program takes.
inline bool read_options(const char *prog, int argc, char *argv[], const Program &program, Options &o)
{
	o = Options{};
	o.settings.reading = {program.plain, false, false};
	o.settings.decimals = program.decimals;
	o.columns = first_columns(words(program.operands));
	int i = 1;
	char *columns = nullptr;

	// The lone forms, and the first release's operands.
	Option first = argc > 1 ? option_of(argv[1], program) : NO_OPTION;
	if (first == NO_OPTION || first == OPT_HELP || first == OPT_VERSION) {
		bool lone = argc == 2;
		o.help = lone && std::strcmp(argv[1], "--help") == 0;
		o.version = lone && std::strcmp(argv[1], "--version") == 0;
		o.catalogue = lone && std::strcmp(argv[1], "-") == 0;
		o.plain = !o.catalogue;
		if (o.catalogue)
			o.settings.reading = {Reading::CATALOGUE, program.numbers, false};
		o.operands = argv + 1;
		o.operand_count = argc > 1 ? argc - 1 : 0;
		if (!o.help && !o.version && !o.catalogue && o.operand_count != words(program.operands)) {
			std::fprintf(stderr, program.usage, prog);
			return false;
		}
		return true;
	}

	// The options form.
	o.settings.reading = {Reading::CATALOGUE, program.numbers, false};
	for (; i < argc; i++) {
		char *a = argv[i];
		if (std::strcmp(a, "--") == 0) {
			i++;
			break;
		}
		if (std::strncmp(a, "--", 2) != 0)
			break;
		Option option = option_of(a, program);
		if (option == NO_OPTION)
			return misuse(prog, program, "unknown option \"%s\"", escaped(a));
		const OptionName &name = OPTION_NAMES[option];
		char *value = std::strchr(a, '=');
		if (name.value != nullptr && value == nullptr)
			return misuse(prog, program, "option --%s needs a value: --%s=%s", name.name, name.name, name.value);
		if (name.value == nullptr && value != nullptr)
			return misuse(prog, program, "option --%s takes no value", name.name);
		if (value != nullptr)
			value++;
		switch (option) {
		case OPT_FROM:
			if (std::strchr(value, ',') == nullptr || std::strchr(value, ',') != std::strrchr(value, ','))
				return misuse(prog, program, "option --from: \"%s\" is not RA,DEC", escaped(value));
			o.fixed = value;
			break;
		case OPT_YEAR:
			o.fixed = value;
			break;
		case OPT_MODEL:
			o.settings.model = word_in(program.models, value);
			if (o.settings.model < 0) {
				// The names as a phrase: "a, b or c".
				char list[128] = "";
				const char *m = program.models;
				for (int k = 0, count = words(m), n = 0; k < count && n < static_cast<int>(sizeof list); k++) {
					int w = static_cast<int>(std::strcspn(m, " "));
					n += std::snprintf(list + n, sizeof list - n, "%s%.*s",
					                   k == 0 ? "" : k + 1 < count ? ", " : " or ", w, m);
					m += w + 1;
				}
				return misuse(prog, program, "option --model: \"%s\" is not %s", escaped(value), list);
			}
			break;
		case OPT_DEGREES:
			o.settings.reading.degrees = true;
			break;
		case OPT_DECIMALS:
			if (value[0] < '0' || value[0] > '9' || value[1] != '\0')
				return misuse(prog, program, "option --decimals: \"%s\" is not a number from 0 to 9",
				              escaped(value));
			o.settings.decimals = value[0] - '0';
			break;
		case OPT_BARE:
			o.settings.bare = true;
			break;
		case OPT_COLUMNS:
			columns = value;
			break;
		case OPT_DELIMITER:
			if (value[0] == '\0' || value[1] != '\0' || value[0] == '"' || value[0] == '\r' || value[0] == '\n')
				return misuse(prog, program,
				              "option --delimiter: \"%s\" is not one byte other than a double quote, "
				              "carriage return or newline",
				              escaped(value));
			o.delimiter = value[0];
			break;
		case OPT_HELP:
			o.help = true;
			return true;
		case OPT_VERSION:
			o.version = true;
			return true;
		case NO_OPTION:
			break;
		}
	}
	o.operands = argv + i;
	o.operand_count = argc - i;
	o.catalogue = o.operand_count == 1 && std::strcmp(o.operands[0], "-") == 0;

	// What the options ask of the operands.
	const char *names = o.fixed != nullptr ? program.rest : program.operands;
	int count = words(names);
	if (!o.catalogue && (columns != nullptr || o.delimiter != '\0'))
		return misuse(prog, program, "option --%s reads catalogue mode's lines: give the operand -",
		              columns != nullptr ? "columns" : "delimiter");
	if (!o.catalogue && o.operand_count != count)
		return misuse(prog, program, "expected %d operands%s%s, %s, or -; found %d", count,
		              o.fixed != nullptr ? " with --" : "", o.fixed != nullptr ? program.fixed : "", names,
		              o.operand_count);
	o.columns = first_columns(count);
	if (columns != nullptr && !choose_columns(columns, count, o.columns)) {
		char list[64];
		std::snprintf(list, sizeof list, "%s", names);
		for (char *p = list; (p = std::strchr(p, ' ')) != nullptr;)
			*p = ',';
		return misuse(prog, program,
		              "option --columns: \"%s\" is not %d field numbers (1 to %d) or column names, %s",
		              escaped(columns), count, FIELD_NUMBER_MAX, list);
	}
	return true;
}

#endif
