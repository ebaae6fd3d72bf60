// The one place where fw-multi-run meets the converter's API.
#include "generator/run.h"
#include "platform/display_fixed.h"
#include "tests/compare/jobs.h"

namespace fw::compare {

void RunJobs(const std::vector<Job>& jobs, const JobReport& report) {
  std::unique_ptr<FileSystem> files = MakePlatformFileSystem();
  std::unique_ptr<Display> measured;  // made at the first job that needs it, kept to the end
  Session session;
  for (size_t i = 0; i < jobs.size(); ++i) {
    const Job& job = jobs[i];
    std::unique_ptr<Display> fixed;
    if (job.baseUnits) {
      fixed = std::make_unique<FixedDisplay>(job.baseUnits->first, job.baseUnits->second);
    } else if (!measured) {
      measured = MakePlatformDisplay();
    }
    Platform platform{*files, fixed ? *fixed : *measured};
    RunOptions options{job.rcPath, job.multi, job.templateRoot, job.templateName};
    RunResult result = RunConversion(session, platform, options);
    JobOutcome outcome{result.made, result.written, {}};
    for (const Diagnostic& d : result.diagnostics.items()) {
      outcome.messages.push_back({d.severity == Severity::kError, d.path, d.message});
    }
    report(i, outcome);
  }
}

}  // namespace fw::compare
