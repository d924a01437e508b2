#pragma once
// The store the kill and full-disk tests start from: the shape of a real
// one, with a working set that is not the default.

#include <string>

namespace tricala::test {

// 1100 records: 800 blank, then 300 draws with issues kFirstTemplateIssue ..
// kLastTemplateIssue, one a day. Records 1..1000 hold the full candidate set
// in 备选号 and, in 备份, a saved set of the numbers with an odd digit sum.
// The store is closed when this returns.
void MakeCrashTemplate(const std::string& path);

}  // namespace tricala::test
