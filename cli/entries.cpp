#include "cli/entries.h"

#include <cmath>

#include "scoring/bundesjugendspiele.h"
#include "scoring/textfields.h"

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

constexpr std::string_view ChoiceKinds[3] = {"Sprint", "Wurf", "Lauf"};

std::vector<int> ParseChoices(const std::string& text) {
    std::vector<int> choices;
    const int count = FieldCount(text, ',');
    for (int i = 1; i <= count; ++i)
        choices.push_back(ReadInteger(FieldAt(text, ',', i)));
    return choices;
}

} // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<int> ReadWholeNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty())
        return std::nullopt;
    if (const std::optional<std::int32_t> value = ParseInteger(text))
        return static_cast<int>(*value);
    const std::optional<double> value = ReadMeasure(text);
    if (value && std::trunc(*value) == *value && std::fabs(*value) <= 2147483647.0)
        return static_cast<int>(*value);
    return std::nullopt;
}

std::optional<double> ReadMeasure(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty())
        return std::nullopt;
    const char separator = text.find(',') != std::string_view::npos ? ',' : '.';
    return ParseDecimal(text, separator);
}

std::optional<char> ReadSex(std::string_view text) {
    text = TrimBlanks(text);
    if (text.size() != 1)
        return std::nullopt;
    switch (text[0]) {
    case 'M':
    case 'm':
        return 'M';
    case 'W':
    case 'w':
        return 'W';
    default:
        return std::nullopt;
    }
}

std::optional<std::string> ReadAgeGroup(std::string_view text) {
    text = TrimBlanks(text);
    if (text.size() < 2 || text.size() > 5 || !ReadSex(text.substr(0, 1)))
        return std::nullopt;
    for (char ch : text.substr(1))
        if (!IsDigit(ch))
            return std::nullopt;
    std::string key(text);
    key[0] = *ReadSex(text.substr(0, 1));
    return key;
}

std::string_view CertificateName(std::string_view code) {
    if (code == "EU")
        return "Ehrenurkunde";
    if (code == "SU")
        return "Siegerurkunde";
    if (code == "TU")
        return "Teilnehmerurkunde";
    return "keine Urkunde";
}

std::string TChoiceCheck::NotOffered(std::string_view kind, const std::string& key, int value) {
    int k = 0;
    while (k < 3 && ChoiceKinds[k] != kind)
        ++k;
    if (k == 3)
        return {};
    TGroup* group = nullptr;
    if (Last < Groups.size() && Groups[Last].Key == key) // a class list holds long runs of one age group
        group = &Groups[Last];
    for (std::size_t i = 0; !group && i < Groups.size(); ++i)
        if (Groups[i].Key == key) {
            group = &Groups[i];
            Last = i;
        }
    if (!group) {
        TGroup g{key, {}};
        for (int i = 0; i < 3; ++i)
            g.Choices[i] = ParseChoices(DisciplineOptions(ChoiceKinds[i], key));
        Groups.push_back(std::move(g));
        Last = Groups.size() - 1;
        group = &Groups.back();
    }
    std::string offered;
    for (int choice : group->Choices[k]) {
        if (choice == value)
            return {};
        if (!offered.empty())
            offered += ", ";
        offered += std::to_string(choice);
    }
    return offered.empty() ? std::string("none") : offered;
}
