// The data source box's drop-down on a machine with many data sources, against its drop-down with
// none, in one run of the real dialog (read from the program's resources, shown, its box dropped
// down as the user drops it down, timed until the opened list is drawn). For each count N it
// registers N MySQL data sources per user, a tenth of them again per machine in another letter
// case, and in each of ROUNDS rounds times three drop-downs: "cold", at once after a new dialog
// shows (the reading and the whole fill of the box are waited for); "prepared", in a new dialog
// after it had its idle time to read and fill ahead; "again", the next drop-down of that dialog,
// nothing changed. It prints the median of each, its ratio to the empty list's same figure, how
// long the new dialog took to hold the list read ahead, and whether the box listed each data
// source once every time. Run it in a throwaway prefix
// (bench/datasource_list.sh does): it replaces the prefix's data source lists.
//   datasource_list_fill [ROUNDS [N...]]     (5 rounds of 100, 1000 and 10000 unless given)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/LintoraMain.h"
#include "controls/win32/Application.h"
#include "controls/win32/ComboBox.h"
#include "dbengine/DataSourceName.h"
#include "framework/Exceptions.h"
#include "framework/win32/LocaleCompare.h"
#include "framework/win32/Registry.h"

namespace {

const HKEY kRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

void ClearDataSourceLists() {
  for (HKEY root : kRoots) TRegistry(root).DeleteKey(DataSourceListKeyPath);
}

std::string BenchName(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "Bench%05d", i);
  return name;
}

// N per user, every tenth of them per machine too, upper-cased: the box lists N.
void RegisterDataSources(int count) {
  ClearDataSourceLists();
  TRegistry user(HKEY_CURRENT_USER), machine(HKEY_LOCAL_MACHINE);
  if (!user.OpenKey(DataSourceListKeyPath, true) || !machine.OpenKey(DataSourceListKeyPath, true))
    throw Exception("cannot create the data source lists");
  for (int i = 0; i < count; ++i) {
    user.WriteString(BenchName(i), "MySQL ODBC 5.3 Driver");
    if (i % 10 == 0) machine.WriteString("BENCH" + BenchName(i).substr(5), "MySQL");
  }
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Fill {
  double seconds;
  int listed;
};

// One drop-down as the user opens the box, timed until the opened list is drawn.
Fill DropDown(TComboBox& box) {
  HWND window = box.Handle();
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  SendMessageA(window, CB_SHOWDROPDOWN, TRUE, 0);
  Application->ProcessMessages();
  QueryPerformanceCounter(&end);
  const int listed = static_cast<int>(SendMessageA(window, CB_GETCOUNT, 0, 0));
  SendMessageA(window, CB_SHOWDROPDOWN, FALSE, 0);
  Application->ProcessMessages();
  return {Seconds(start, end), listed};
}

std::unique_ptr<TLintoraForm> ShowDialog() {
  std::unique_ptr<TLintoraForm> form = ReadLintoraForm();
  form->SetCommandLine("Lintora.exe");
  form->DoCreate();
  form->Show();
  Application->ProcessMessages();
  return form;
}

// Runs the dialog's messages as the message loop would while the user looks at it: until its box
// holds expected items and a while longer, a minute at most. The seconds until it held them.
double IdleUntilListed(TComboBox& box, int expected) {
  LARGE_INTEGER start, listed = {};
  QueryPerformanceCounter(&start);
  const DWORD startTick = GetTickCount();
  DWORD listedAt = 0;
  while (GetTickCount() - startTick < 60000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Application->ProcessMessages();
    if (SendMessageA(box.Handle(), CB_GETCOUNT, 0, 0) != expected) continue;
    if (listedAt == 0) {
      listedAt = GetTickCount();
      QueryPerformanceCounter(&listed);
    }
    if (GetTickCount() - listedAt > 300) break;
  }
  return listedAt == 0 ? 60.0 : Seconds(start, listed);
}

// What the user meets, per round a dialog of its own: the drop-down at once after the dialog
// shows (cold: the reading and the whole fill wait for it), the drop-down after the dialog had a
// moment (prepared), and the next drop-down with nothing changed (again); and how long after the
// dialog showed its box held the list read ahead (ready).
struct Figures {
  double cold, prepared, again, ready;
  bool eachOnce;
};

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

Figures Measure(int rounds, int expected) {
  std::vector<double> cold, prepared, again, ready;
  bool eachOnce = true;
  for (int round = 0; round < rounds; ++round) {
    {
      std::unique_ptr<TLintoraForm> form = ShowDialog();
      const Fill fill = DropDown(*form->CBox1);
      cold.push_back(fill.seconds);
      eachOnce = eachOnce && fill.listed == expected;
    }
    std::unique_ptr<TLintoraForm> form = ShowDialog();
    ready.push_back(IdleUntilListed(*form->CBox1, expected));
    for (std::vector<double>* times : {&prepared, &again}) {
      const Fill fill = DropDown(*form->CBox1);
      times->push_back(fill.seconds);
      eachOnce = eachOnce && fill.listed == expected;
    }
  }
  return {Median(cold), Median(prepared), Median(again), Median(ready), eachOnce};
}

void Print(int count, const Figures& figures, const Figures& empty) {
  std::printf(
      "%6d data sources: cold %7.4f s (%6.2f)  prepared %7.4f s (%5.2f)  again %7.4f s "
      "(%5.2f)  ready after %.2f s  %s\n",
      count, figures.cold, figures.cold / empty.cold, figures.prepared,
      figures.prepared / empty.prepared, figures.again, figures.again / empty.again, figures.ready,
      figures.eachOnce ? "each listed once" : "NOT each listed once");
  std::fflush(stdout);
}

int Run(int rounds, const std::vector<int>& counts) {
  RegisterLintoraFormClasses();
  UseLocaleCompare();
  ClearDataSourceLists();
  ShowDialog();  // the first dialog loads what every later one finds loaded
  const Figures empty = Measure(rounds, 0);
  Print(0, empty, empty);
  bool allOnce = empty.eachOnce;
  for (const int count : counts) {
    RegisterDataSources(count);
    const Figures figures = Measure(rounds, count);
    Print(count, figures, empty);
    allOnce = allOnce && figures.eachOnce;
  }
  ClearDataSourceLists();
  return allOnce ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  std::vector<int> counts;
  for (int i = 2; i < argc; ++i) counts.push_back(std::max(0, std::atoi(argv[i])));
  if (counts.empty()) counts = {100, 1000, 10000};
  std::printf(
      "median of %d rounds of drop-downs of the data source box (seconds of wall time, "
      "ratio to the empty list's)\n",
      rounds);
  try {
    return Run(rounds, counts);
  } catch (const Exception& error) {
    std::fprintf(stderr, "datasource_list_fill: %s\n", error.Message().c_str());
    return 2;
  }
}
