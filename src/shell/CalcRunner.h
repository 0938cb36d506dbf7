// Runs one calculation as `talvor-cli project DIR calc` runs it
// (CalculateAndWriteBack, the report rewritten as RTF with its drawings by
// ExpandSavedReport), on a working copy of the record
// in a worker thread, while the window waits in its own event loop: the
// searches of back-calculations and designs report their progress, Escape
// cancels them, and status lines and messages of the run reach the desktop
// program's sinks in the window's thread.
#pragma once

#include "run/CalcRun.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <string>

class CSlideCalcData;
struct WorkContext;

class CalcRunner : public QObject {
    Q_OBJECT
  public:
    explicit CalcRunner(QObject* parent = nullptr);

    // Runs record with its result files named from fileBase in the work
    // path, and returns when the run has ended. The record's result entries
    // and residual thrust are taken over from the run; its input stays. The
    // item's data file is written back.
    CalcRunResult run(CSlideCalcData& record, const WorkContext& ctx, const std::string& fileBase);

    bool running() const { return m_running; }
    // Asks the searches of the running calculation to stop.
    void cancel() { m_cancel = true; }
    // Called in the worker thread at every step of a search with its trials
    // done and most, after the progress is noted and before the cancel is
    // looked at: the program's tests hold a run there to type into the window
    // while it is busy.
    void setSearchStepHook(std::function<void(int, int)> hook) { m_stepHook = std::move(hook); }

  signals:
    // Trials done of the most the current search can run.
    void progress(int done, int total);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::atomic<bool> m_cancel{false};
    std::atomic<int> m_done{0};
    std::atomic<int> m_total{0};
    bool m_running = false;
    std::function<void(int, int)> m_stepHook;
};
