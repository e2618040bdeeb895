// Fuzz target: a resistor list of any bytes, as a user could paste it into a
// list edit (at most 32759 characters). The text is parsed from a buffer of its
// exact size, so AddressSanitizer sees any read past its NUL, and once more
// through the slot that a list choice names, including choices that only an
// edited settings file can hold. A line-by-line model of the list rules, which
// reads each line as its own string, must give the same parts.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/parts_list.h"
#include "fuzz_support.h"

namespace {

PartsList Parsed;

bool IsSentinel(const PartEntry& e) {
    return std::strcmp(e.name, "DNM") == 0 && e.value == DNM_VALUE && e.conductance == 0;
}

bool SameDouble(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// What a successful parse promises to the combination search.
void CheckList(const PartsList& list) {
    FUZZ_CHECK(list.count >= 2 && list.count <= PARTS_CAPACITY);
    bool sentinel = false;
    for (int i = 0; i < list.count; ++i) {
        const PartEntry& e = list.entries[i];
        FUZZ_CHECK(std::memchr(e.name, '\0', PART_NAME_SIZE) != nullptr);
        FUZZ_CHECK(std::strpbrk(e.name, "\r\n") == nullptr);
        FUZZ_CHECK(!(e.value < 0));
        if (i + 1 < list.count) FUZZ_CHECK(ComparePartsByValue(&e, &list.entries[i + 1]) <= 0);
        if (IsSentinel(e))
            sentinel = true;
        else
            FUZZ_CHECK(SameDouble(e.conductance, e.value == 0 ? DNM_VALUE : 1 / e.value));
    }
    // Only a list that filled every place may lack the open-circuit part.
    FUZZ_CHECK(sentinel || list.count == PARTS_CAPACITY);
}

struct ModelPart {
    std::string name;
    double value;
};

// A plain number with its scale letter, read from one line alone.
double ModelPlainValue(const std::string& text) {
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (value < 0) return -1; // rejected before any scaling could round it to -0
    switch (*end) {
    case 'm':
        return value / 1000;
    case 'u':
        return value / 1000000;
    case 'k':
    case 'K':
        return value * 1000;
    case 'M':
        return value * 1000000;
    default:
        return value;
    }
}

// "4k7" must give exactly what "4.7k" gives; any other line reads plainly.
double ModelValue(const std::string& line) {
    const char* digits = "0123456789";
    std::size_t lead = std::strspn(line.c_str(), " \t\r\v\f");
    std::size_t whole = std::strspn(line.c_str() + lead, digits);
    std::size_t letter = lead + whole;
    bool rkm = whole > 0 && line[letter] != '\0' && std::strchr("mukKMRr", line[letter]) != nullptr;
    std::size_t fraction = rkm ? std::strspn(line.c_str() + letter + 1, digits) : 0;
    if (fraction == 0) return ModelPlainValue(line);
    return ModelPlainValue(line.substr(lead, whole) + "." + line.substr(letter + 1, fraction) + line[letter]);
}

// The list rules line by line; false when the list must be rejected.
bool ModelParse(const char* text, std::vector<ModelPart>& parts) {
    parts.clear();
    for (const char* line = text; static_cast<int>(parts.size()) < PARTS_CAPACITY;) {
        const char* lf = std::strchr(line, '\n');
        std::string whole = lf != nullptr ? std::string(line, lf) : std::string(line);
        bool blank = whole.find_first_not_of(" \t\r\v\f") == std::string::npos;
        if (!blank && whole[0] == '-') break;
        if (!blank) {
            double value = ModelValue(whole);
            if (value < 0) return false;
            parts.push_back({whole.substr(0, whole.find('\r')).substr(0, PART_NAME_SIZE - 1), value});
        }
        if (lf == nullptr) break;
        line = lf + 1;
    }
    return !parts.empty(); // one part and the sentinel are the shortest list
}

// Every modelled part is in the list once, under its name and value.
void CheckAgainstModel(const PartsList& list, const std::vector<ModelPart>& parts) {
    bool full = static_cast<int>(parts.size()) == PARTS_CAPACITY;
    FUZZ_CHECK(list.count == static_cast<int>(parts.size()) + (full ? 0 : 1));
    std::vector<bool> used(list.count, false);
    for (const ModelPart& part : parts) {
        int i = 0;
        while (i < list.count && (used[i] || part.name != list.entries[i].name ||
                                  !SameDouble(part.value, list.entries[i].value)))
            ++i;
        FUZZ_CHECK(i < list.count);
        used[i] = true;
    }
}

std::vector<ModelPart> Model;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool initialised = (InitDefaults(), true);
    (void)initialised;
    FuzzInput input{data, size};
    std::int32_t choice = SettingFromByte(input.TakeByte(), LIST_CHOICES);

    std::size_t length = input.size < TEXT_SLOT_SIZE - 1 ? input.size : TEXT_SLOT_SIZE - 1;
    std::vector<char> text(input.data, input.data + length);
    text.push_back('\0');
    bool parsed = ParsePartsText(text.data(), Parsed);
    FUZZ_CHECK(parsed == ModelParse(text.data(), Model));
    if (parsed) {
        CheckList(Parsed);
        CheckAgainstModel(Parsed, Model);
    }

    // The same text through the run's own entry, from the slot the choice names.
    int slot = SLOT_FIRST_LIST + (choice >= 0 && choice < LIST_CHOICES ? choice : 0);
    CopyText(TextSlots[slot], TEXT_SLOT_SIZE, text.data());
    Settings[SETTING_LIST_CHOICE] = choice;
    TextSlots[SLOT_STATUS][0] = '\0';
    if (ParsePartsList()) {
        CheckList(PartsListStore);
        FUZZ_CHECK(TextSlots[SLOT_STATUS][0] == '\0');
    } else {
        FUZZ_CHECK(std::strcmp(TextSlots[SLOT_STATUS], MessageText(MSG_STOCK_LIST_ERROR)) == 0);
    }
    return 0;
}
