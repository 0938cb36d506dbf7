// The worker thread sees only its copy of the record and sinks that post to
// the window's thread; the window's widgets are never touched from it.
#include "shell/CalcRunner.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "render/ReportTextDocument.h"
#include "run/ItemCalculation.h"

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
    // As talvor-cli leaves it: RTF with the drawings in place. Painting the
    // pictures needs the window's thread.
    options.finishReport = [this, work = ctx.G_strWorkPath](const CalcRunResult& run) {
        std::string why;
        QMetaObject::invokeMethod(
            this,
            [&] {
                why =
                    ExpandSavedReport(run.reportPath, run.report.utf8(), work, run.drawings.get());
            },
            Qt::BlockingQueuedConnection);
        return why;
    };
    options.search.progress = [this](int done, int total) {
        m_done = done;
        m_total = total;
        if (m_stepHook) m_stepHook(done, total);
        return !m_cancel.load();
    };

    CalcRunResult result;
    std::unique_ptr<QThread> thread(QThread::create(
        [&] { result = CalculateAndWriteBack(*work, threadCtx, fileBase, true, options).run; }));
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
    // The run wrote the data file back before its report took its final form;
    // the write at closing the window finds the same bytes and leaves it alone.
    return result;
}

bool CalcRunner::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        cancel();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
