#pragma once
// What one installation run did, as a value: each step in the order it was taken and how it
// ended, the connection test's result with the engine's message, the error that ended the run,
// and from these the process's exit code. The run (app/win32/InstallationRun.h) makes it; the
// dialog shows it and the run log writes it.
//
//   TInstallationOutcome outcome;
//   outcome.Done("save settings");
//   outcome.Abandoned("machine-wide record ...", "Access denied");  // the run goes on
//   outcome.EndedBy(std::current_exception());                       // exit code 2
#include <exception>
#include <string>
#include <vector>

enum class TStepState { Done, Abandoned, Skipped, Failed };

struct TRunStep {
  std::string name;
  TStepState state;
  std::string message;  // why it was abandoned, skipped or failed; empty when done
};

enum class TConnectionState { NotTested, Opened, Failed };

struct TConnectionResult {
  TConnectionState state = TConnectionState::NotTested;
  std::string dataSource;  // the one opened: the default data source with create-database
  std::string message;     // the engine's message when the open failed
};

struct TInstallationOutcome {
  std::vector<TRunStep> steps;
  TConnectionResult connection;
  std::string error;               // the message of the error that ended the run
  std::exception_ptr errorObject;  // the same error, to raise again where it is shown

  void Done(const std::string& step);
  void Abandoned(const std::string& step, const std::string& why);
  void Skipped(const std::string& step, const std::string& why);
  // Steps another part of the run recorded itself (the records a registration abandoned), in
  // their order.
  void Add(std::vector<TRunStep> taken);
  // A step made of parts, some of which may have been abandoned: done when none was, otherwise
  // the abandoned parts stand for it.
  void DoneUnlessAbandoned(const std::string& step, std::vector<TRunStep> abandonedParts);
  // The error being handled ends the run: the step it ended is recorded as failed.
  void EndedBy(const std::string& step, std::exception_ptr error);

  bool Ended() const { return errorObject != nullptr; }
  // 0 the connection opened (or no connection test was reached without an error), 1 the
  // connection test failed, 2 an error ended the run.
  int ExitCode() const;
};
