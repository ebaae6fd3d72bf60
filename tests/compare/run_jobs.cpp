// The one place where fw-multi-run meets the converter's API.
#include "frontend/run.h"
#include "platform/display_fixed.h"
#include "tests/compare/jobs.h"

namespace fw::compare {

void RunJobs(const std::vector<Job>& jobs, const JobReport& report) {
  std::unique_ptr<FileSystem> files = MakePlatformFileSystem();
  std::unique_ptr<Display> measured;  // made at the first job that needs it, kept to the end
  GenerationState state;
  for (size_t i = 0; i < jobs.size(); ++i) {
    const Job& job = jobs[i];
    std::unique_ptr<Display> fixed;
    if (job.baseUnits) {
      fixed = std::make_unique<FixedDisplay>(job.baseUnits->first, job.baseUnits->second);
    } else if (!measured) {
      measured = MakePlatformDisplay();
    }
    Platform platform{*files, fixed ? *fixed : *measured};
    state.RcPath = job.rcPath;
    state.MultiFileMode = job.multi ? 1 : 0;
    RunResult result = RunConversion(state, platform, job.templateRoot, job.templateName);
    JobOutcome outcome{result.made, result.written, {}};
    for (const Diagnostic& d : state.diagnostics.items()) {
      outcome.messages.push_back({d.severity == Severity::kError, d.path, d.message});
    }
    report(i, outcome);
  }
}

}  // namespace fw::compare
