#include "app/RunLog.h"

#include "app/SetupFields.h"

const char* const kRunLogFileName = "Lintora.log";
// The version the run log names; the program carries no other.
const char* const kProgramVersion = "1.0";

namespace {

const char* const kLineBreak = "\r\n";

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  }
  return text;
}

std::string Line(const std::string& label, const std::string& value) {
  return "  " + label + ": " + OneLine(value) + kLineBreak;
}

std::string StepState(const TRunStep& step) {
  switch (step.state) {
    case TStepState::Done:
      return "done";
    case TStepState::Abandoned:
      return "abandoned: " + step.message;
    case TStepState::Skipped:
      return "skipped: " + step.message;
    default:
      return "failed: " + step.message;
  }
}

std::string ConnectionLine(const TConnectionResult& connection) {
  switch (connection.state) {
    case TConnectionState::Opened:
      return Line("connection to " + OneLine(connection.dataSource), "opened");
    case TConnectionState::Failed:
      return Line("connection to " + OneLine(connection.dataSource),
                  "failed: " + connection.message);
    default:
      return Line("connection test", "not reached");
  }
}

}  // namespace

std::string RunLogBlock(const std::string& time, const TSetupFields& fields,
                        const TInstallationOutcome& outcome) {
  std::string block =
      "[" + OneLine(time) + "] Lintora " + kProgramVersion + ", installation run" + kLineBreak;
  block += Line("driver type", fields.DbType);
  block += Line("data source", fields.DataSource);
  block += Line("server", fields.Server);
  block += Line("port", fields.Port);
  block += Line("user", fields.User);
  for (const TRunStep& step : outcome.steps) block += Line(OneLine(step.name), StepState(step));
  block += ConnectionLine(outcome.connection);
  block += Line("exit code", std::to_string(outcome.ExitCode()));
  return block;
}

std::string AppendedRunLog(const std::string& existing, const std::string& block, size_t limit) {
  if (existing.size() + block.size() <= limit) return existing + block;
  if (block.size() >= limit) return block;
  // The first block that starts at or after the cut keeps the rest within the limit.
  const size_t cut = existing.size() + block.size() - limit;
  const size_t start = existing.find(std::string(kLineBreak) + "[", cut > 2 ? cut - 2 : 0);
  if (start == std::string::npos) return block;
  return existing.substr(start + 2) + block;
}
