#include "cli/personreport.h"

#include <optional>
#include <string_view>
#include <vector>

#include "cli/classlist.h"
#include "cli/entries.h"
#include "cli/textcodec.h"
#include "scoring/bundesjugendspiele.h"

namespace {

// The pieces of an option value cut at ':'.
std::vector<std::string_view> SplitColons(std::string_view text) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t colon = text.find(':');
        parts.push_back(text.substr(0, colon));
        if (colon == std::string_view::npos)
            return parts;
        text.remove_prefix(colon + 1);
    }
}

struct TReader {
    std::string& Messages;
    bool Failed = false;

    void Fail(std::string_view option, std::string_view value, std::string_view form) {
        Messages += "kalkomat-cli: --";
        Messages += option;
        Messages += ": \"";
        Messages += value;
        Messages += "\" is not ";
        Messages += form;
        Messages += '\n';
        Failed = true;
    }

    // Reads `value` into the numbers `whole` and `measure`: the first `wholeCount` pieces are whole
    // numbers, the last a measure.
    void Read(std::string_view option, const std::string& value, std::string_view form,
              std::vector<int*> whole, double* measure) {
        if (value.empty())
            return;
        const std::vector<std::string_view> parts = SplitColons(value);
        if (parts.size() != whole.size() + 1) {
            Fail(option, value, form);
            return;
        }
        for (std::size_t i = 0; i < whole.size(); ++i) {
            const std::optional<int> number = ReadWholeNumber(parts[i]);
            if (!number) {
                Fail(option, value, form);
                return;
            }
            *whole[i] = *number;
        }
        const std::optional<double> number = ReadMeasure(parts.back());
        if (!number) {
            Fail(option, value, form);
            return;
        }
        *measure = *number;
    }
};

std::optional<std::string> AgeGroupOf(const TPersonEntries& entries, char sex, std::string& messages) {
    if (!entries.AgeGroup.empty()) {
        std::optional<std::string> key = ReadAgeGroup(entries.AgeGroup);
        if (!key)
            messages += "kalkomat-cli: --age-group: \"" + entries.AgeGroup +
                        "\" is not an age group such as M12 or W9\n";
        else if ((*key)[0] != sex)
            messages += "kalkomat-cli: --age-group " + *key + " does not match --sex " + sex + "\n";
        else
            return key;
        return std::nullopt;
    }
    if (entries.BirthYear > entries.CurrentYear || entries.BirthYear < entries.CurrentYear - 100) {
        messages += "kalkomat-cli: --birth-year: " + std::to_string(entries.BirthYear) +
                    " is no year of birth in " + std::to_string(entries.CurrentYear) + "\n";
        return std::nullopt;
    }
    return DeriveAgeGroupKey(std::string_view(&sex, 1), entries.BirthYear, entries.CurrentYear);
}

std::string ImplementName(int code) {
    switch (code) {
    case 80:
        return "80 g ball";
    case 200:
        return "200 g ball";
    case 1000:
        return "1 kg sling ball";
    case 6:
        return "6.25 kg shot";
    default:
        return std::to_string(code) + " kg shot";
    }
}

void AppendLine(std::string& out, std::string_view label, std::string_view what, const std::string& points) {
    std::string line(label);
    line.resize(14, ' ');
    line += what;
    if (!points.empty()) {
        if (line.size() < 44)
            line.resize(44, ' ');
        else
            line += "  ";
        line += std::string(points.size() < 5 ? 5 - points.size() : 0, ' ') + points + " points";
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    out += line;
    out += '\n';
}

std::string Entered(bool given, const std::string& text) { return given ? text : std::string("not entered"); }

std::string PersonText(const TPersonEntries& e, const TPerformanceSheet& sheet, const TPerformanceResult& r) {
    std::string out;
    AppendLine(out, "Sex", sheet.Sex == "W" ? "W (girl)" : "M (boy)", "");
    const TCertificateThresholds minimums = CertificateThresholds(sheet.AgeGroup);
    std::string group = sheet.AgeGroup;
    if (minimums.Su == 0)
        group += " (under 8: every total scores a Teilnehmerurkunde)";
    else
        group += " (Siegerurkunde from " + std::to_string(minimums.Su) + ", Ehrenurkunde from " +
                 std::to_string(minimums.Eu) + " points)";
    AppendLine(out, "Age group", group, "");
    AppendLine(out, "Sprint",
               Entered(!e.Sprint.empty(), std::to_string(sheet.SprintDistance) + " m in " +
                                              std::string(SplitColons(e.Sprint).back()) + " s"),
               std::to_string(r.PointsSprint));
    AppendLine(out, "Long jump", Entered(!e.LongJump.empty(), e.LongJump + " m"),
               std::to_string(r.PointsLongJump));
    AppendLine(out, "High jump", Entered(!e.HighJump.empty(), e.HighJump + " m"),
               std::to_string(r.PointsHighJump));
    AppendLine(out, "Jump", "the better of the two", std::to_string(r.PointsJump));
    AppendLine(out, "Throw",
               Entered(!e.Throw.empty(), ImplementName(sheet.ThrowImplement) + ", " +
                                             std::string(SplitColons(e.Throw).back()) + " m"),
               std::to_string(r.PointsThrow));
    const std::vector<std::string_view> run = SplitColons(e.Run);
    AppendLine(out, "Run",
               Entered(!e.Run.empty(), std::to_string(sheet.RunDistance) + " m in " +
                                           std::to_string(sheet.RunMinutes) + " min " +
                                           std::string(run.back()) + " s"),
               std::to_string(r.PointsRun));
    AppendLine(out, "Total", "the best three of the four", std::to_string(r.Total));
    AppendLine(out, "Certificate", r.Certificate + " (" + std::string(CertificateName(r.Certificate)) + ")",
               "");
    for (const std::string& note : r.Notes)
        out += Windows1252ToUtf8(note) + '\n';
    return out;
}

void AppendJsonString(std::string& out, std::string_view text) {
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (b < 0x20) {
            out += "\\u00";
            out += hex[b >> 4];
            out += hex[b & 15];
        } else {
            out += ch;
        }
    }
    out += '"';
}

std::string PersonJson(const TPerformanceSheet& sheet, const TPerformanceResult& r,
                       const std::vector<std::string>& problems) {
    std::string out = "{\"sex\":";
    AppendJsonString(out, sheet.Sex);
    out += ",\"age_group\":";
    AppendJsonString(out, sheet.AgeGroup);
    const std::pair<const char*, int> points[] = {
        {"points_sprint", r.PointsSprint},
        {"points_long_jump", r.PointsLongJump},
        {"points_high_jump", r.PointsHighJump},
        {"points_jump", r.PointsJump},
        {"points_throw", r.PointsThrow},
        {"points_run", r.PointsRun},
        {"total", r.Total},
    };
    for (const auto& [name, value] : points)
        out += std::string(",\"") + name + "\":" + std::to_string(value);
    out += ",\"certificate\":";
    AppendJsonString(out, r.Certificate);
    out += ",\"notes\":[";
    for (std::size_t i = 0; i < r.Notes.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendJsonString(out, Windows1252ToUtf8(r.Notes[i]));
    }
    out += "],\"errors\":[";
    for (std::size_t i = 0; i < problems.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendJsonString(out, problems[i]);
    }
    out += "]}\n";
    return out;
}

} // namespace

int ScorePerson(const TPersonEntries& entries, bool json, std::string& output, std::string& messages) {
    const std::optional<char> sex = ReadSex(entries.Sex);
    if (!sex) {
        messages += "kalkomat-cli: --sex: \"" + entries.Sex + "\" is neither M nor W\n";
        return ExitUsage;
    }
    const std::optional<std::string> key = AgeGroupOf(entries, *sex, messages);
    if (!key)
        return ExitUsage;
    TPerformanceSheet sheet;
    sheet.Sex.assign(1, *sex);
    sheet.AgeGroup = *key;
    TReader reader{messages};
    reader.Read("sprint", entries.Sprint, "DISTANCE:SECONDS such as 50:8.0", {&sheet.SprintDistance},
                &sheet.SprintTime);
    reader.Read("long-jump", entries.LongJump, "METRES such as 3.50", {}, &sheet.LongJump);
    reader.Read("high-jump", entries.HighJump, "METRES such as 1.20", {}, &sheet.HighJump);
    reader.Read("throw", entries.Throw, "IMPLEMENT:METRES such as 200:30", {&sheet.ThrowImplement},
                &sheet.ThrowDistance);
    reader.Read("run", entries.Run, "DISTANCE:MINUTES:SECONDS such as 1000:4:05",
                {&sheet.RunDistance, &sheet.RunMinutes}, &sheet.RunSeconds);
    if (reader.Failed)
        return ExitUsage;

    std::vector<std::string> problems;
    TChoiceCheck choices;
    const std::pair<const char*, const char*> kinds[] = {
        {"Sprint", "sprint distance"}, {"Wurf", "throw implement"}, {"Lauf", "run distance"}};
    const int values[] = {sheet.SprintDistance, sheet.ThrowImplement, sheet.RunDistance};
    for (int i = 0; i < 3; ++i) {
        if (values[i] == 0)
            continue;
        const std::string offered = choices.NotOffered(kinds[i].first, *key, values[i]);
        if (!offered.empty())
            problems.push_back(std::string(kinds[i].second) + " " + std::to_string(values[i]) +
                               " is not offered for " + *key + " (offered: " + offered + ")");
    }
    for (const std::string& problem : problems)
        messages += "kalkomat-cli: " + problem + "\n";

    const TPerformanceResult result = EvaluatePerformance(sheet);
    output = json ? PersonJson(sheet, result, problems) : PersonText(entries, sheet, result);
    return problems.empty() ? ExitClean : ExitReported;
}
