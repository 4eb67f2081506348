// Reading one pupil's entries as kalkomat-cli takes them, from a class-list cell or a command-line value.
// Shared by the `score` and `batch` commands so that both read numbers and check choices alike.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// `text` without blanks (spaces, tabs) at either end.
std::string_view TrimBlanks(std::string_view text);

// A whole number (distance, implement code, minutes, year): what ParseInteger reads, or a decimal number
// without a fraction such as "50,0" (spreadsheets format number columns so). nullopt for an empty text
// and for anything else.
std::optional<int> ReadWholeNumber(std::string_view text);

// A measured value with a decimal comma or a decimal point ("3,50" or "3.50"). nullopt for an empty text
// and for anything that is not such a number.
std::optional<double> ReadMeasure(std::string_view text);

// "M" or "W" for the sex letter in either letter case; nullopt for anything else.
std::optional<char> ReadSex(std::string_view text);

// An age-group key such as "M12" or "w9", given back in capitals; nullopt unless it is M or W followed
// by one to four digits.
std::optional<std::string> ReadAgeGroup(std::string_view text);

// "Ehrenurkunde", "Siegerurkunde", "Teilnehmerurkunde" or "keine Urkunde" for a certificate code.
std::string_view CertificateName(std::string_view code);

// The sprint distances, throw implements and run distances that the age groups offer. Keeps what it has
// looked up; needs the scoring unit started.
class TChoiceCheck {
public:
    // Empty when `value` is among the choices of `kind` ("Sprint", "Wurf" or "Lauf") for age group `key`,
    // otherwise the choices, such as "50" or "200, 3".
    std::string NotOffered(std::string_view kind, const std::string& key, int value);

private:
    struct TGroup {
        std::string Key;
        std::vector<int> Choices[3];
    };
    std::vector<TGroup> Groups;
    std::size_t Last = 0;
};
