#pragma once
// The work a killed child does, op by op. The child and the test both build
// their ops here, so the test can replay them on a copy of the same store
// and know every state the file may be found in after a kill.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "store/DrawStore.h"

namespace tricala::test {

enum class WorkKind { Refill, FilterPass, Append, ExitSave };

// "refill", "filter", "append", "save"; the child's command-line word.
std::string WorkKindName(WorkKind kind);
bool ParseWorkKind(const std::string& name, WorkKind* kind);
inline void PrintTo(WorkKind kind, std::ostream* out) { *out << WorkKindName(kind); }

// One step of an op. A step that is not atomic writes one record at a time,
// in record order (a kill leaves a prefix of it done); an atomic step is one
// transaction (a kill leaves all of it or none).
struct WorkStep {
    bool atomic = false;
    std::function<void(DrawStore&)> run;
};

// The steps of op `n` (from 0) of `kind`. Deterministic: the same n gives the
// same writes on the same state.
std::vector<WorkStep> OpSteps(WorkKind kind, int n);

// Issues of the draws that op `n` of the append work adds, oldest first; the
// store the ops start from ends with issue kLastTemplateIssue.
std::vector<std::string> AppendedIssues(int n);
inline constexpr int kFirstTemplateIssue = 13001;
inline constexpr int kLastTemplateIssue = 13300;

}  // namespace tricala::test
