// Each subcommand registers itself on the application; its callback stores the
// process exit status in `exitCode` (0 success, 1 failed, 2 input unreadable,
// 3 an auto-design found no case that meets the requirement, or a table edit
// was refused, 4 a result that means nothing, 5 a result with warnings).
#pragma once

inline constexpr int kNoDesignSatisfiesStatus = 3;
// The run's result means nothing (a pile row outside the slope, a pile
// solution that is not finite): the run failed for that reason.
inline constexpr int kImplausibleStatus = 4;
// The run succeeded but its result needs a look (a pile top moving more than
// a metre, a design winner at the edge of its range).
inline constexpr int kWarnedStatus = 5;

namespace CLI {
class App;
}
struct CalcRunResult;

// The status one calculation exits with: 1 failed (4 when it failed because
// its result means nothing), 3 no design meets the requirement, 5 succeeded
// with warnings on its result, else 0.
int CalcExitStatus(const CalcRunResult& run);
// The status of several calculations: the one that weighs most, in the order
// 2 unreadable, 1 failed, 4 implausible, 3 no design, 5 warned, 0.
int WorseStatus(int a, int b);

void addNewCommand(CLI::App& app, int& exitCode);
void addCalcCommand(CLI::App& app, int& exitCode);
void addRenderCommand(CLI::App& app, int& exitCode);
void addProjectCommand(CLI::App& app, int& exitCode);
void addImportDxfCommand(CLI::App& app, int& exitCode);
void addReportCommand(CLI::App& app, int& exitCode);
void addVerifyCommand(CLI::App& app, int& exitCode);
void addTableCommand(CLI::App& app, int& exitCode);
void addRebarCommand(CLI::App& app, int& exitCode);
