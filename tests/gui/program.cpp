#include "program.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <vector>

Program::Program() {
    // The settings store starts empty for every test.
    QSettings("Quirl32", "Quirl32").clear();
    AfxSetHost(&host);
}

Program::~Program() {
    app.CloseAllDocuments();
    delete app.m_pMainWnd;
    app.m_pMainWnd = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

CQuirl32View* Program::ActiveView() {
    CMDIChildWnd* frame = ActiveFrame();
    return frame != nullptr ? dynamic_cast<CQuirl32View*>(frame->GetActiveView()) : nullptr;
}

CQuirl32Doc* Program::ActiveDoc() {
    CQuirl32View* view = ActiveView();
    return view != nullptr ? dynamic_cast<CQuirl32Doc*>(view->GetDocument()) : nullptr;
}

ViewWidget* Program::ActiveViewWidget() {
    return host.ViewWidgetOf(ActiveView());
}

ChildWindow* Program::ActiveChildWindow() {
    return host.ChildWindowOf(ActiveFrame());
}

bool Program::WaitForIdle(int timeoutMs) {
    return QTest::qWaitFor([this] { return !host.Pump().IsRunning(); }, timeoutMs);
}

Program::ItemState Program::MenuItem(UINT commandId) {
    ItemState state;
    QAction* action = host.Menus().FindAction(host.Menus().Current(), commandId);
    if (action == nullptr)
        return state;
    state.found = true;
    if (auto* menu = qobject_cast<QMenu*>(action->parent()))
        emit menu->aboutToShow();
    state.enabled = action->isEnabled();
    state.checked = action->isChecked();
    state.text = action->text();
    return state;
}

QMenu* Program::BarMenu(const QString& text) {
    for (QAction* action : Main()->menuBar()->actions())
        if (action->menu() != nullptr && action->text() == text)
            return action->menu();
    return nullptr;
}

QStringList Program::BarTitles() {
    QStringList titles;
    for (QAction* action : Main()->menuBar()->actions())
        titles << (action->isSeparator() ? QStringLiteral("|") : action->text());
    return titles;
}

namespace {

// Answers waiting for their modal widget.
std::vector<QTimer*>& PendingAnswers() {
    static std::vector<QTimer*> pending;
    return pending;
}

} // namespace

void WhenModal(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    PendingAnswers().push_back(timer);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible())
            return;
        timer->stop();
        auto& pending = PendingAnswers();
        pending.erase(std::remove(pending.begin(), pending.end(), timer), pending.end());
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

int DropPendingAnswers() {
    auto& pending = PendingAnswers();
    const int count = int(pending.size());
    for (QTimer* timer : pending)
        delete timer;
    pending.clear();
    return count;
}

void Press(QWidget* modal, int id) {
    auto* button = modal->findChild<QPushButton*>(QStringLiteral("Control%1").arg(id));
    ASSERT_NE(button, nullptr) << "no button " << id;
    button->click();
}

void SetText(QWidget* modal, int id, const QString& text) {
    auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("Control%1").arg(id));
    ASSERT_NE(edit, nullptr) << "no edit field " << id;
    edit->setText(text);
}

QString Text(QWidget* modal, int id) {
    if (auto* dialog = qobject_cast<TemplateDialog*>(modal))
        return dialog->ControlText(id);
    return {};
}

void GuiTest::SetUp() {
    // A modal widget nobody answers fails the test instead of hanging it.
    watchdog = std::make_unique<QTimer>();
    watchdog->setInterval(3000);
    QObject::connect(watchdog.get(), &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal != lastModal) {
            lastModal = modal;
            return;
        }
        ADD_FAILURE() << "unanswered modal widget " << modal->metaObject()->className() << " \""
                      << modal->windowTitle().toStdString() << "\"";
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            ADD_FAILURE() << "message: " << box->text().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    });
    watchdog->start();
    program = std::make_unique<Program>();
    ASSERT_TRUE(program->app.InitInstance());
    ASSERT_NE(program->ActiveView(), nullptr);
}

void GuiTest::TearDown() {
    EXPECT_EQ(DropPendingAnswers(), 0) << "a modal widget that was to be answered never opened";
    program.reset();
    watchdog.reset();
}
