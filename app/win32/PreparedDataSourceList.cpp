#include "app/win32/PreparedDataSourceList.h"

#include <chrono>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>

#include "app/win32/DataSourceListStore.h"
#include "dbengine/DataSourceName.h"

namespace {

// Far beyond a reading of tens of thousands of data sources: a reading that takes longer is
// given up and done again where it is needed.
const std::chrono::seconds kReadingBound(20);

TStringList ReadSorted(const std::string& filter) {
  TStringList names;
  names.SetSorted(true);
  ListDataSources(filter, names);
  return names;
}

}  // namespace

PreparedDataSourceList::PreparedDataSourceList(std::string filter)
    : filter_(std::move(filter)),
      userWatch_(HKEY_CURRENT_USER, DataSourceListKeyPath),
      machineWatch_(HKEY_LOCAL_MACHINE, DataSourceListKeyPath) {}

void PreparedDataSourceList::Prepare(HWND notifyWindow) {
  if (started_) return;
  started_ = true;
  notifyWindow_ = notifyWindow;
  userWatch_.PostOnChange(notifyWindow, kDataSourcesChangedMessage);
  machineWatch_.PostOnChange(notifyWindow, kDataSourcesChangedMessage);
  StartReading();
}

// A reading that failed is done again only after a change: the same registry fails the same way.
void PreparedDataSourceList::Refresh() {
  if (!started_ || reading_.valid()) return;
  if (WatchesSawChange() || (!prepared_ && !failed_)) StartReading();
}

// The watches are armed here, on the user-interface thread whose watches last as long as it does;
// the thread that reads is left running on its own, holding nothing of this object's. It tells
// the window once its result is there to be taken.
void PreparedDataSourceList::StartReading() {
  prepared_ = false;
  failed_ = false;
  userWatch_.Arm();
  machineWatch_.Arm();
  std::promise<TStringList> result;
  reading_ = result.get_future();
  try {
    std::thread([result = std::move(result), filter = filter_, window = notifyWindow_]() mutable {
      try {
        result.set_value(ReadSorted(filter));
      } catch (...) {
        result.set_exception(std::current_exception());
      }
      PostMessageA(window, kDataSourcesReadMessage, 0, 0);
    }).detach();
  } catch (const std::system_error&) {
    reading_ = {};  // no thread to be had: the drop-down reads
  }
}

// A reading that failed leaves nothing prepared: the drop-down reads again and meets the failure
// itself, with its message and the names gathered so far.
void PreparedDataSourceList::TakeReading(bool wait) {
  if (!reading_.valid()) return;
  const auto bound = wait ? std::chrono::duration_cast<std::chrono::milliseconds>(kReadingBound)
                          : std::chrono::milliseconds(0);
  if (reading_.wait_for(bound) != std::future_status::ready) {
    if (wait) reading_ = {};
    return;
  }
  try {
    names_ = reading_.get();
    prepared_ = true;
  } catch (...) {
    failed_ = true;
  }
  reading_ = {};
}

bool PreparedDataSourceList::WatchesSawChange() const {
  return userWatch_.Changed() || machineWatch_.Changed();
}

bool PreparedDataSourceList::Current() const {
  return prepared_ && !WatchesSawChange();
}

const TStringList* PreparedDataSourceList::FirstReadyList() {
  TakeReading(false);
  if (handedOut_ || reading_.valid() || !Current()) return nullptr;
  handedOut_ = true;
  return &names_;
}

void PreparedDataSourceList::ReadNow(TStrings& list) {
  prepared_ = false;
  failed_ = true;  // until the reading is through
  userWatch_.Arm();
  machineWatch_.Arm();
  TStringList names;
  names.SetSorted(true);
  try {
    ListDataSources(filter_, names);
  } catch (...) {
    list.Assign(names);
    throw;
  }
  names_ = std::move(names);
  prepared_ = true;
  failed_ = false;
}

void PreparedDataSourceList::Fill(TStrings& list) {
  TakeReading(true);
  if (!Current()) ReadNow(list);
  if (list.Lines() != names_.Lines()) list.Assign(names_);
}
