// The data source box's fill on a machine with many data sources, against its fill with none, in
// one run of the real dialog (read from the program's resources, shown, its box dropped down as
// the user drops it down). For each count N it registers N MySQL data sources per user, a tenth
// of them again per machine in another letter case, drops the box down ROUNDS times and prints
// the median time the drop-down took, the ratio to the empty list's, and whether the box listed
// each data source once. Run it in a throwaway prefix (bench/datasource_list.sh does): it
// replaces the prefix's data source lists.
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

double MedianFill(TComboBox& box, int rounds, int expected, bool& eachOnce) {
  std::vector<double> times;
  for (int round = 0; round < rounds; ++round) {
    const Fill fill = DropDown(box);
    times.push_back(fill.seconds);
    eachOnce = eachOnce && fill.listed == expected;
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

int Run(int rounds, const std::vector<int>& counts) {
  RegisterLintoraFormClasses();
  UseLocaleCompare();
  std::unique_ptr<TLintoraForm> form = ReadLintoraForm();
  form->SetCommandLine("Lintora.exe");
  form->DoCreate();
  form->Show();
  Application->ProcessMessages();
  TComboBox& box = *form->CBox1;

  ClearDataSourceLists();
  DropDown(box);  // the first drop-down loads what every later one finds loaded
  bool eachOnce = true;
  const double empty = MedianFill(box, rounds, 0, eachOnce);
  std::printf("%6d data sources: %8.4f s\n", 0, empty);
  bool allOnce = eachOnce;
  for (const int count : counts) {
    RegisterDataSources(count);
    eachOnce = true;
    const double filled = MedianFill(box, rounds, count, eachOnce);
    std::printf("%6d data sources: %8.4f s  ratio %6.2f  %s\n", count, filled, filled / empty,
                eachOnce ? "each listed once" : "NOT each listed once");
    std::fflush(stdout);
    allOnce = allOnce && eachOnce;
  }
  ClearDataSourceLists();
  form->Hide();
  return allOnce ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  std::vector<int> counts;
  for (int i = 2; i < argc; ++i) counts.push_back(std::max(0, std::atoi(argv[i])));
  if (counts.empty()) counts = {100, 1000, 10000};
  std::printf("median of %d drop-downs of the data source box (seconds of wall time)\n", rounds);
  try {
    return Run(rounds, counts);
  } catch (const Exception& error) {
    std::fprintf(stderr, "datasource_list_fill: %s\n", error.Message().c_str());
    return 2;
  }
}
