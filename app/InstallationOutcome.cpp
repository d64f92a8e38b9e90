#include "app/InstallationOutcome.h"

#include "framework/Exceptions.h"

void TInstallationOutcome::Done(const std::string& step) {
  steps.push_back({step, TStepState::Done, ""});
}

void TInstallationOutcome::Abandoned(const std::string& step, const std::string& why) {
  steps.push_back({step, TStepState::Abandoned, why});
}

void TInstallationOutcome::Skipped(const std::string& step, const std::string& why) {
  steps.push_back({step, TStepState::Skipped, why});
}

void TInstallationOutcome::Add(std::vector<TRunStep> taken) {
  for (TRunStep& step : taken) steps.push_back(std::move(step));
}

void TInstallationOutcome::DoneUnlessAbandoned(const std::string& step,
                                               std::vector<TRunStep> abandonedParts) {
  if (abandonedParts.empty()) Done(step);
  Add(std::move(abandonedParts));
}

void TInstallationOutcome::EndedBy(const std::string& step, std::exception_ptr cause) {
  errorObject = cause;
  error = ErrorMessage(cause);
  steps.push_back({step, TStepState::Failed, error});
}

int TInstallationOutcome::ExitCode() const {
  if (Ended()) return 2;
  return connection.state == TConnectionState::Failed ? 1 : 0;
}
