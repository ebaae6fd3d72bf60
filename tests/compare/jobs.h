// The jobs of fw-multi-run and what each one gave, in plain types. Only run_jobs.cpp names the
// converter's own API, so that a change of that API is met there alone.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw::compare {

struct Job {
  std::string rcPath;        // the script's path without its extension
  std::string templateRoot;  // the folder holding NAME.tpl and NAME/
  std::string templateName;
  bool multi = false;
  std::optional<std::pair<int32_t, int32_t>> baseUnits;  // none: fonts measured
};

struct JobMessage {
  bool error = false;  // else a warning
  std::string path;
  std::string message;
};

struct JobOutcome {
  bool made = false;
  std::vector<std::string> written;  // in the order written
  std::vector<JobMessage> messages;
};

using JobReport = std::function<void(size_t index, const JobOutcome& outcome)>;

// Runs the jobs in turn in one generation state, one file layer and one measuring display, as
// the dialog program runs its conversions, and reports each one as soon as it is done.
void RunJobs(const std::vector<Job>& jobs, const JobReport& report);

}  // namespace fw::compare
