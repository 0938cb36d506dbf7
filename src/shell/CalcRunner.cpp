// The worker thread sees only its copy of the record and sinks that post to
// the window's thread; the window's widgets are never touched from it.
#include "shell/CalcRunner.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "render/ReportTextDocument.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {

// Sinks of the worker thread: each call is carried out in the thread of
// `home` (the desktop program's), waiting for it, so that a message box
// comes up where widgets live and a question gets its answer.
class ForwardingSinks : public StatusSink, public MessageSink {
  public:
    ForwardingSinks(const WorkContext& ctx, QObject* home) : m_ctx(ctx), m_home(home) {}

    void tell_error(int code, const std::string& text) override {
        if (m_ctx.status) call([&] { m_ctx.status->tell_error(code, text); });
    }
    void message(const std::string& text) override {
        if (m_ctx.messages) call([&] { m_ctx.messages->message(text); });
    }
    bool question(const std::string& text, bool defaultAnswer) override {
        bool answer = defaultAnswer;
        if (m_ctx.messages) call([&] { answer = m_ctx.messages->question(text, defaultAnswer); });
        return answer;
    }

  private:
    template <typename F>
    void call(F f) {
        QMetaObject::invokeMethod(m_home, f, Qt::BlockingQueuedConnection);
    }

    const WorkContext& m_ctx;
    QObject* m_home;
};

}  // namespace

CalcRunner::CalcRunner(QObject* parent) : QObject(parent) {}

CalcRunResult CalcRunner::run(CSlideCalcData& record, const WorkContext& ctx,
                              const std::string& fileBase) {
    m_cancel = false;
    m_done = m_total = 0;
    m_running = true;
    auto work = std::make_shared<CSlideCalcData>(record);
    ForwardingSinks sinks(ctx, this);
    WorkContext threadCtx = ctx;
    threadCtx.status = &sinks;
    threadCtx.messages = &sinks;
    RunOptions options;
    options.itemPath = workFile(ctx, fileBase + ".DAT");
    options.search.progress = [this](int done, int total) {
        m_done = done;
        m_total = total;
        return !m_cancel.load();
    };

    CalcRunResult result;
    std::unique_ptr<QThread> thread(
        QThread::create([&] { result = RunCalculation(*work, threadCtx, fileBase, options); }));
    QEventLoop loop;
    connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [this] { emit progress(m_done, m_total); });
    ticker.start(100);
    QCoreApplication::instance()->installEventFilter(this);
    thread->start();
    loop.exec(QEventLoop::ExcludeSocketNotifiers);
    thread->wait();
    QCoreApplication::instance()->removeEventFilter(this);
    m_running = false;

    // The run named the results and filled the residual thrust; the input
    // is the record's own.
    static_cast<CJsBaseData&>(record) = *work;
    record.residualThrust = work->residualThrust;
    // A successful run closes the window, which writes the data file; written
    // now, before the report takes its final form, the report stays the newer
    // file and the project summary reads it instead of running again. The
    // write at closing then finds the same bytes and leaves the file alone.
    if (result.result == 1) record.WriteDataFile(workFile(ctx, fileBase + ".dat"));
    expandReport(result, ctx);
    return result;
}

void CalcRunner::expandReport(const CalcRunResult& run, const WorkContext& ctx) {
    // As talvor-cli calc leaves it: RTF with the drawings in place. Painting
    // the pictures needs this thread.
    if (!run.reportSaved) return;
    int missing = 0;
    if (!WriteExpandedReport(run.reportPath, run.report.utf8(), ctx.G_strWorkPath, missing,
                             run.drawings.get()) &&
        ctx.status)
        ctx.status->tell_error(301, "无法写入计算书文件 " + run.reportPath);
    else if (missing > 0 && ctx.status)
        ctx.status->tell_error(301, std::to_string(missing) + " 幅图未能插入计算书");
}

bool CalcRunner::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        cancel();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
