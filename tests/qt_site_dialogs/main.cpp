// Runs the address-book dialog tests, one QObject test class after another.

#include <QApplication>

int runNameEntryTests(int argc, char** argv);
int runSiteSettingsTests(int argc, char** argv);
int runParameterDialogTests(int argc, char** argv);
int runTcpGroupTests(int argc, char** argv);

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int failed = 0;
  for (auto run :
       {runNameEntryTests, runSiteSettingsTests, runParameterDialogTests, runTcpGroupTests})
    failed += run(argc, argv);
  return failed == 0 ? 0 : 1;
}
