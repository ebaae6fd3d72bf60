// fw-multi-run: many conversions in one process, in one generation state, so that what a run
// leaves in the state for the next (dialog base units, the file layer's folder listings) is
// held against another build too.
//
// Reads jobs from stdin, one a line, fields separated by tabs (or by blanks when the line has
// no tab): SCRIPT TEMPLATE_ROOT SET MULTI(0|1) UNITS("CX,CY", or "-" to measure the fonts).
// Empty lines and lines starting with "#" are skipped. After each job it prints the job, the
// diagnostics, every file written with its size and a digest of its content right after the
// job, and whether the run was made. Exits 1 when a job line is wrong, before running any.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/compare/jobs.h"

namespace fw::compare {
namespace {

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  if (line.find('\t') != std::string::npos) {
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
  } else {
    std::stringstream in(line);
    for (std::string field; in >> field;) fields.push_back(field);
  }
  return fields;
}

// The script's path without extension as the command line makes it: absolute, and cut before
// the first "." of the file name.
std::string RcPathOf(const std::string& script) {
  std::string full = std::filesystem::absolute(script).lexically_normal().string();
  size_t nameStart = full.rfind('/') + 1;  // npos + 1 is 0
  size_t dot = full.find('.', nameStart);
  return dot == std::string::npos ? full : full.substr(0, dot);
}

std::optional<Job> ParseJob(const std::string& line, std::string& error) {
  std::vector<std::string> f = SplitFields(line);
  if (f.size() != 5) {
    error = "expected 5 fields, found " + std::to_string(f.size());
    return std::nullopt;
  }
  Job job{RcPathOf(f[0]), f[1], f[2], f[3] == "1", std::nullopt};
  if (f[3] != "0" && f[3] != "1") error = "MULTI must be 0 or 1";
  if (f[4] != "-") {
    int cx = 0;
    int cy = 0;
    char end = 0;
    if (std::sscanf(f[4].c_str(), "%d,%d%c", &cx, &cy, &end) != 2) {
      error = "UNITS must be CX,CY or -";
    }
    job.baseUnits = std::make_pair(cx, cy);
  }
  if (!error.empty()) return std::nullopt;
  return job;
}

// Control bytes and backslashes as \xNN, so that every report is one line of plain text.
std::string Printable(const std::string& text) {
  std::string out;
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 32 && u != 127 && c != '\\') {
      out += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", u);
      out += escaped;
    }
  }
  return out;
}

// The size and a 64-bit FNV-1a digest of a file as it is now.
std::string Digest(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "unreadable";
  uint64_t hash = 14695981039346656037ull;
  size_t size = 0;
  for (int c; (c = in.get()) != EOF; ++size) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  char text[48];
  std::snprintf(text, sizeof text, "%zu %016llx", size, static_cast<unsigned long long>(hash));
  return text;
}

void Print(const Job& job, size_t index, const JobOutcome& outcome) {
  std::string units = job.baseUnits ? std::to_string(job.baseUnits->first) + "," +
                                          std::to_string(job.baseUnits->second)
                                    : "measured";
  std::cout << "job " << index + 1 << ": " << Printable(job.rcPath) << " set "
            << Printable(job.templateRoot) << " " << Printable(job.templateName)
            << (job.multi ? " multi" : " single") << " units " << units << "\n";
  for (const JobMessage& m : outcome.messages) {
    std::cout << "  " << (m.error ? "error: " : "warning: ") << Printable(m.path) << ": "
              << Printable(m.message) << "\n";
  }
  for (const std::string& path : outcome.written) {
    std::cout << "  wrote " << Printable(path) << " " << Digest(path) << "\n";
  }
  std::cout << "  " << (outcome.made ? "made" : "not made") << std::endl;
}

}  // namespace
}  // namespace fw::compare

int main() {
  using namespace fw::compare;
  std::vector<Job> jobs;
  std::string line;
  for (int number = 1; std::getline(std::cin, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    std::string error;
    std::optional<Job> job = ParseJob(line, error);
    if (!job) {
      std::cerr << "fw-multi-run: line " << number << ": " << error << "\n";
      return 1;
    }
    jobs.push_back(*job);
  }
  RunJobs(jobs, [&](size_t i, const JobOutcome& outcome) { Print(jobs[i], i, outcome); });
  return 0;
}
