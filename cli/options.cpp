// Option parsing for varnock-search. Options are applied in the order given,
// so a later option wins; --list-file is applied after all others, to the list
// that is chosen in the end.
#include "cli/options.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "cli/complete_output.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

namespace {

// Options that take the text of one slot, as typed.
struct SlotOption {
    const char* name;
    int slot;
};
const SlotOption SLOT_OPTIONS[] = {
    {"--vi-min", SLOT_VI_MIN}, {"--vi-max", SLOT_VI_MAX}, {"--vo-min", SLOT_VO_MIN},
    {"--vo-max", SLOT_VO_MAX}, {"--vref", SLOT_VREF},     {"--precision", SLOT_PRECISION},
    {"--dnm", SLOT_DNM_COUNT},
};

// Options that choose from a fixed set of words; the word's index is stored.
struct ChoiceOption {
    const char* name;
    int setting;
    const char* words[6];
};
const ChoiceOption CHOICE_OPTIONS[] = {
    {"--list", SETTING_LIST_CHOICE, {"List1", "List2", "List3", "E24", "E12", "E6"}},
    {"--config", SETTING_CONFIGURATION, {"a", "b", "c", "d", nullptr, nullptr}},
    {"--lang", SETTING_LANGUAGE, {"ja", "en", nullptr, nullptr, nullptr, nullptr}},
};

// Options that keep their text for the front end itself.
struct TextOption {
    const char* name;
    const char* CliOptions::*field;
};
const TextOption TEXT_OPTIONS[] = {
    {"--list-file", &CliOptions::listFile},  {"--series", &CliOptions::series},
    {"--from", &CliOptions::from},           {"--to", &CliOptions::to},
    {"--tolerance", &CliOptions::tolerance},
};

int FindWord(const ChoiceOption& option, const char* word) {
    for (int i = 0; i < static_cast<int>(std::size(option.words)); ++i)
        if (option.words[i] != nullptr && std::strcmp(option.words[i], word) == 0) return i;
    return -1;
}

// Splits "--name=value" or takes the value from the next argument.
bool TakeValue(const char* arg, const char* name, int argc, char** argv, int* index, const char** value) {
    std::size_t length = std::strlen(name);
    if (std::strncmp(arg, name, length) != 0) return false;
    if (arg[length] == '=') {
        *value = arg + length + 1;
        return true;
    }
    if (arg[length] != '\0') return false;
    *value = *index + 1 < argc ? argv[++*index] : nullptr;
    return true;
}

// Returns 1 when handled, 0 when the argument is no value option, -1 on error.
int ApplyValueOption(const char* arg, int argc, char** argv, int* index, CliOptions& options) {
    const char* value = nullptr;
    for (const SlotOption& option : SLOT_OPTIONS) {
        if (!TakeValue(arg, option.name, argc, argv, index, &value)) continue;
        if (value == nullptr) return std::fprintf(stderr, "%s needs a text\n", option.name), -1;
        SetSlotText(option.slot, value);
        return 1;
    }
    for (const ChoiceOption& option : CHOICE_OPTIONS) {
        if (!TakeValue(arg, option.name, argc, argv, index, &value)) continue;
        int choice = value == nullptr ? -1 : FindWord(option, value);
        if (choice < 0)
            return std::fprintf(stderr, "%s: unknown value '%s'\n", option.name, value ? value : ""), -1;
        Settings[option.setting] = choice;
        return 1;
    }
    for (const TextOption& option : TEXT_OPTIONS) {
        if (!TakeValue(arg, option.name, argc, argv, index, &value)) continue;
        if (value == nullptr) return std::fprintf(stderr, "%s needs a value\n", option.name), -1;
        options.*option.field = value;
        return 1;
    }
    if (std::strcmp(arg, "--check") == 0) {
        if (*index + 3 >= argc) return std::fprintf(stderr, "--check needs three pairs: RA RB RF\n"), -1;
        for (const char*& pair : options.check)
            pair = argv[++*index];
        return 1;
    }
    return 0;
}

// Options that only make sense together, checked once all are read.
bool CheckCombinations(const CliOptions& options) {
    if (options.format != OutputFormat::Text && !options.utf8Output)
        return std::fprintf(stderr, "--format csv and json write UTF-8; leave out --cp932\n"), false;
    if (options.series != nullptr && options.listFile != nullptr)
        return std::fprintf(stderr, "--series and --list-file both replace the list; give one of them\n"),
               false;
    return true;
}

bool ApplyFormat(const char* arg, int argc, char** argv, int* index, CliOptions& options) {
    const char* const FORMATS[] = {"text", "csv", "json"};
    const char* value = nullptr;
    TakeValue(arg, "--format", argc, argv, index, &value);
    for (int i = 0; i < static_cast<int>(std::size(FORMATS)); ++i) {
        if (value == nullptr || std::strcmp(value, FORMATS[i]) != 0) continue;
        options.format = static_cast<OutputFormat>(i);
        return true;
    }
    std::fprintf(stderr, "--format: choose text, csv or json\n");
    return false;
}

} // namespace

OptionsResult ApplyOptions(int argc, char** argv, CliOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) return OptionsResult::Help;
        if (std::strcmp(arg, "--version") == 0) return OptionsResult::Version;
        if (std::strcmp(arg, "--print-list") == 0) {
            options.printList = true;
        } else if (std::strcmp(arg, "--format") == 0 || std::strncmp(arg, "--format=", 9) == 0) {
            if (!ApplyFormat(arg, argc, argv, &i, options)) return OptionsResult::Error;
        } else if (std::strcmp(arg, "--serial") == 0) {
            Settings[SETTING_INCLUDE_SERIAL] = 1;
        } else if (std::strcmp(arg, "--no-serial") == 0) {
            Settings[SETTING_INCLUDE_SERIAL] = 0;
        } else if (std::strcmp(arg, "--cp932") == 0) {
            options.utf8Output = false;
        } else if (std::strcmp(arg, "--save") == 0) {
            options.save = true;
        } else {
            int handled = ApplyCompleteOption(arg, argc, argv, &i, options);
            if (handled == 0) handled = ApplyValueOption(arg, argc, argv, &i, options);
            if (handled < 0) return OptionsResult::Error;
            if (handled == 0) {
                std::fprintf(stderr, "unknown option '%s'\n", arg);
                return OptionsResult::Error;
            }
        }
    }
    return CheckCombinations(options) ? OptionsResult::Run : OptionsResult::Error;
}

const char* ListChoiceName(int choice) {
    const ChoiceOption& lists = CHOICE_OPTIONS[0];
    return choice >= 0 && choice < LIST_CHOICES ? lists.words[choice] : "none of the six lists";
}

bool LoadListFile(const char* path) {
    int choice = Settings[SETTING_LIST_CHOICE];
    if (choice < 0 || choice >= LIST_CHOICES) {
        std::fprintf(stderr, "--list-file: the chosen list (%d) is none of the six; add --list\n", choice);
        return false;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "--list-file: cannot open '%s'\n", path);
        return false;
    }
    char* slot = TextSlots[SLOT_FIRST_LIST + choice];
    std::size_t length = std::fread(slot, 1, TEXT_SLOT_SIZE - 1, file);
    slot[length] = '\0';
    bool cut = length == TEXT_SLOT_SIZE - 1 && std::fgetc(file) != EOF;
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        std::fprintf(stderr, "--list-file: error reading '%s'\n", path);
        return false;
    }
    if (cut) std::fprintf(stderr, "--list-file: '%s' cut to its first %zu bytes\n", path, TEXT_SLOT_SIZE - 1);
    return true;
}

void PrintUsage(const char* program, bool toStderr) {
    std::FILE* out = toStderr ? stderr : stdout;
    std::fprintf(out,
                 "usage: %s [options]\n"
                 "Searches the chosen resistor list for Ra, Rb, Rf of the op-amp level shifter\n"
                 "Vo = Vi * (1 + Rf / (Ra // Rb)) - Vref * Rf / Ra and prints every combination\n"
                 "within the precision, best first, then the status line. Each of Ra, Rb, Rf\n"
                 "is a pair of stock parts, \"a//b\" in parallel or \"a+b\" in series (--serial);\n"
                 "\"a//DNM\" is a single part:\n"
                 "\n"
                 "                   +-------[ Rf ]-------+\n"
                 "                   |                    |\n"
                 "                   |       |\\           |\n"
                 "  Vref ---[ Ra ]---+-------|- \\         |\n"
                 "                   |       |    >-------+------ Vo\n"
                 "                   |    +--|+ /\n"
                 "                [ Rb ]  |  |/\n"
                 "                   |    |\n"
                 "                  GND   Vi\n"
                 "\n"
                 "The state starts from the defaults and Varnock.ini in the current directory;\n"
                 "each option then overrides one setting or one field, as typed in the window.\n"
                 "\n"
                 "  --list List1|List2|List3|E24|E12|E6   resistor list to search\n"
                 "  --vi-min TEXT      Vi(min), volts (\"0.6\", \"600m\", \"0.6V\")\n"
                 "  --vi-max TEXT      Vi(max), volts\n"
                 "  --vo-min TEXT      Vo(min), volts\n"
                 "  --vo-max TEXT      Vo(max), volts\n"
                 "  --vref TEXT        reference voltage Vref, volts (\"3300m\")\n"
                 "  --precision TEXT   precision in percent (\"0.05%%\")\n"
                 "  --dnm TEXT         minimum number of single parts, 0..3\n"
                 "  --serial           include series pairs (\"Include Serial\")\n"
                 "  --no-serial        parallel pairs only\n"
                 "  --config a|b|c|d   configuration; only a is released\n"
                 "  --lang ja|en       language of the status line\n"
                 "  --list-file FILE   replace the chosen list's text with FILE (one value a line,\n"
                 "                     code page 932 bytes, at most 32759 bytes are taken)\n"
                 "  --cp932            print the raw code page 932 bytes (CR LF line ends)\n"
                 "                     instead of UTF-8\n"
                 "  --save             write the state back to Varnock.ini after the run\n"
                 "                     (the window rectangle saved before is kept)\n"
                 "  --format text|csv|json\n"
                 "                     text: the report lines and the status (default);\n"
                 "                     csv: a header and one row per printed line, RFC 4180\n"
                 "                     quoting, the status on stderr; json: one document\n"
                 "                     {\"status\", \"count\", \"results\"}; both UTF-8, not with --cp932\n"
                 "                     e.g. --list E12 --precision 1%% --format csv > sets.csv\n"
                 "  --series E3|E6|E12|E24|E48|E96|E192\n"
                 "                     the chosen list becomes that IEC 60063 series (one value\n"
                 "                     a line, \"10.2k\"), from 10 to 1M unless --from or --to\n"
                 "                     says otherwise; at most 500 values, e.g. --series E96 --serial\n"
                 "  --from VALUE       take from the chosen list (any list, --list-file or --series)\n"
                 "                     only the values of VALUE and above, read as list lines are\n"
                 "                     (\"1k\", \"4k7\"); the other lines are left out of the search\n"
                 "  --to VALUE         only the values of VALUE and below; both ends are included,\n"
                 "                     e.g. --list E24 --from 1k --to 100k\n"
                 "  --print-list       print the list text the search would use and stop,\n"
                 "                     e.g. --series E192 --from 1k --to 10k --print-list\n"
                 "  --tolerance T      every fitted part may lie within +-T of its value (\"1%%\");\n"
                 "                     each line gets \"; +-T: lo%%..hi%%, lo%%..hi%%\", the lowest and\n"
                 "                     highest error at Vi(min) and at Vi(max); csv and json get\n"
                 "                     err_vimin_lo_pct, err_vimin_hi_pct, err_vimax_lo_pct,\n"
                 "                     err_vimax_hi_pct, e.g. --list E24 --precision 0.5%% --tolerance 1%%\n"
                 "  --check RA RB RF   evaluate one combination typed as the report prints it,\n"
                 "                     at the given voltages, whatever the precision,\n"
                 "                     e.g. --check 10k//DNM 24k//DNM 1k+1k\n"
                 "  --version          the program's version\n"
                 "  --complete         every combination within the precision, not only those\n"
                 "                     near the ideal values; no limit of 1000, no cut report,\n"
                 "                     e.g. --complete --best 20 --list E24 --serial\n"
                 "  --best N           --complete, printing the best N (1..1000000, default\n"
                 "                     1000); the status line counts them all\n"
                 "  --help             this text\n"
                 "\n"
                 "Exit status: 0 when the search ran (also when nothing was found), 1 when the\n"
                 "run ended with an input error (format, parameter, list, configuration or range),\n"
                 "2 for a bad option or a range that leaves no value, 3 when --save could not\n"
                 "write Varnock.ini (the old file is then left as it was), 4 when the output\n"
                 "could not be written.\n",
                 program);
}
