// Starting the real program: failures to start say what failed and exit non-zero.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct RunResult {
  int exitCode = -1;
  std::string output;
};

RunResult RunProgram(const std::string& command) {
  RunResult result;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe)) result.output += buffer;
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TEST(StartupTest, NoUsableVideoDriverIsReportedAndFails) {
  const RunResult r = RunProgram("SDL_VIDEODRIVER=no-such-driver timeout 20 " VELUNNA_BINARY " /tmp");
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.output.find("Velunna:"), std::string::npos) << r.output;
}

TEST(StartupTest, AMissingGameDirectoryIsReportedAndFails) {
  const RunResult r = RunProgram("timeout 20 " VELUNNA_BINARY " /nonexistent/velunna-data");
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.output.find("/nonexistent/velunna-data"), std::string::npos) << r.output;
}

}  // namespace
