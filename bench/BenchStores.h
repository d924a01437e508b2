#pragma once
// Store files for the benchmarks: the shipped history (about 7,700 draws)
// and a synthetic store of 100,000 records, each built once per run.

#include <memory>
#include <string>

#include "app/MainWindow.h"

namespace tricala::bench {

enum class StoreSize { Shipped, Large };

// A fresh copy of the chosen store's template, in its own folder.
std::string FreshStoreCopy(StoreSize size);

// A main window started on the store at `path`, as the program starts.
std::unique_ptr<MainWindow> StartWindow(const std::string& path);

// Resident memory of this process, in MiB.
double ResidentMiB();

}  // namespace tricala::bench
