#include "tests/reliability/CrashWork.h"

#include <cstdio>
#include <stdexcept>

#include "analysis/NumberProfile.h"
#include "filters/FilterPass.h"
#include "store/WorkingSet.h"
#include "update/DrawAppend.h"

namespace tricala::test {
namespace {

const char* const kOddEvenPatterns[] = {"单单单", "单单双", "单双单", "单双双",
                                        "双单单", "双单双", "双双单", "双双双"};

WorkStep Walk(std::function<void(DrawStore&)> run) { return {false, std::move(run)}; }

WorkStep StrikeWhere(std::function<bool(const NumberProfile&)> test) {
    return Walk([test = std::move(test)](DrawStore& store) { WalkAndStrike(store, test); });
}

WorkStep Refill() { return Walk(ResetCandidates); }

int SumOf(const NumberProfile& p) { return std::stoi(p.sumText); }

// Draws added by append ops before op n: 1..5 per op, in rotation.
int DrawsBefore(int n) {
    int total = 0;
    for (int k = 0; k < n; ++k) total += 1 + k % 5;
    return total;
}

std::string DrawNumber(int issue) {
    char text[8];
    std::snprintf(text, sizeof text, "%03d", (issue * 389 + 17) % 1000);
    return text;
}

}  // namespace

std::string WorkKindName(WorkKind kind) {
    switch (kind) {
        case WorkKind::Refill:
            return "refill";
        case WorkKind::FilterPass:
            return "filter";
        case WorkKind::Append:
            return "append";
        case WorkKind::ExitSave:
            return "save";
    }
    return "?";
}

bool ParseWorkKind(const std::string& name, WorkKind* kind) {
    for (WorkKind k : {WorkKind::Refill, WorkKind::FilterPass, WorkKind::Append, WorkKind::ExitSave}) {
        if (WorkKindName(k) == name) {
            *kind = k;
            return true;
        }
    }
    return false;
}

std::vector<std::string> AppendedIssues(int n) {
    std::vector<std::string> issues;
    const int first = kLastTemplateIssue + 1 + DrawsBefore(n);
    for (int k = 0; k < 1 + n % 5; ++k) issues.push_back(std::to_string(first + k));
    return issues;
}

std::vector<WorkStep> OpSteps(WorkKind kind, int n) {
    switch (kind) {
        case WorkKind::Refill:
            // Strike a third of the set so that the refill has a third to write.
            return {StrikeWhere([n](const NumberProfile& p) { return SumOf(p) % 3 == n % 3; }), Refill()};
        case WorkKind::FilterPass: {
            // Four odd/even passes between refills: each strikes 125 more.
            std::vector<WorkStep> steps;
            if (n % 4 == 0) steps.push_back(Refill());
            const std::string pattern = kOddEvenPatterns[n % 8];
            steps.push_back(StrikeWhere([pattern](const NumberProfile& p) { return p.oddEven == pattern; }));
            return steps;
        }
        case WorkKind::Append:
            return {{true, [n](DrawStore& store) {
                         // Day numbers follow the issues; one draw a day.
                         const double firstDay = OleDateFromParts(2013, 1, 1) - kFirstTemplateIssue;
                         std::vector<PageRow> rows;
                         for (const std::string& issue : AppendedIssues(n)) {
                             const int value = std::stoi(issue);
                             rows.insert(rows.begin(), PageRow{issue, DrawNumber(value), firstDay + value});
                         }
                         if (!AppendDraws(store, rows)) throw std::runtime_error("append refused");
                     }}};
        case WorkKind::ExitSave:
            // Every save differs from the one before in every fourth number.
            return {Refill(), StrikeWhere([n](const NumberProfile& p) { return SumOf(p) % 4 == n % 4; }),
                    Walk(SaveCandidates)};
    }
    return {};
}

}  // namespace tricala::test
