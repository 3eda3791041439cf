// The four template dialogs: their fields, texts, focus and tab order,
// placement, and what OK and Cancel do. No step runs while one is open.

#include "program.h"

#include "doc/number_text.h"
#include "platform/framework/dialog.h"
#include "platform/framework/msgbox.h"
#include "platform/qt/dialogs/dialog_units.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace {

QStringList LabelTexts(QWidget* dialog) {
    QStringList texts;
    for (auto* label : dialog->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts << label->text();
    for (auto* box : dialog->findChildren<QGroupBox*>())
        texts << box->title();
    return texts;
}

// The controls with a tab stop, in the order Tab visits them from the first.
QStringList TabChain(QWidget* dialog, int count) {
    QStringList names;
    QWidget* w = dialog->focusWidget();
    for (int i = 0; i < count && w != nullptr; ++i) {
        names << w->objectName();
        do {
            w = w->nextInFocusChain();
        } while (w != nullptr && w->focusPolicy() == Qt::NoFocus);
    }
    return names;
}

QPoint TemplatePosition(Program& p, const TemplateDialog* dialog, int x, int y) {
    const DialogUnits units(*dialog->Dialog().GetTemplate());
    MainWindow* main = p.Main();
    return main->mapToGlobal(QPoint(0, main->menuBar()->height())) + QPoint(units.X(x), units.Y(y));
}

} // namespace

TEST_F(GuiTest, SelectionDialogShowsTheExtentsAndAppliesThemOnOk) {
    ASSERT_TRUE(program->WaitForIdle());
    CQuirl32Doc* doc = program->ActiveDoc();
    const std::string realTo = FormatG(doc->m_extents.xMax, 10);
    bool checked = false;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TemplateDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Selection"));
        EXPECT_EQ(Text(dialog, IDC_REAL_FROM), QStringLiteral("-2.1"));
        EXPECT_EQ(Text(dialog, IDC_REAL_TO), QString::fromStdString(realTo));
        EXPECT_EQ(Text(dialog, IDC_IMAG_FROM), QStringLiteral("-1.2"));
        EXPECT_EQ(Text(dialog, IDC_IMAG_TO), QStringLiteral("1.2"));
        EXPECT_EQ(Text(dialog, IDC_RANDOM_POINTS), QStringLiteral("10"));
        const QStringList labels = LabelTexts(dialog);
        for (const char* text : {"From:", "To:", "Real", "Imaginary", "Random points:"})
            EXPECT_TRUE(labels.contains(QString::fromLatin1(text))) << text;
        EXPECT_EQ(labels.count(QStringLiteral("From:")), 2);
        // Focus on OK, then the template's order.
        EXPECT_EQ(TabChain(dialog, 8),
                  QStringList({"Control1", "Control2", "Control1000", "Control1002", "Control1001",
                               "Control1003", "Control1009", "Control1"}));
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("Control1"));
        EXPECT_TRUE(ok->isDefault());
        EXPECT_TRUE(ok->text() == QStringLiteral("OK"));
        EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        EXPECT_EQ(dialog->pos(), TemplatePosition(*program, dialog, 110, 80));
        const DialogUnits units(*dialog->Dialog().GetTemplate());
        EXPECT_EQ(dialog->size(), QSize(units.X(224), units.Y(127)));
        SetText(dialog, IDC_REAL_FROM, "-1");
        SetText(dialog, IDC_REAL_TO, "0");
        SetText(dialog, IDC_IMAG_FROM, "abc");
        SetText(dialog, IDC_IMAG_TO, "0.5");
        SetText(dialog, IDC_RANDOM_POINTS, "25");
        checked = true;
        Press(dialog, IDOK);
    });
    program->host.ExecuteCommand(ID_SET_SPECIFY);
    ASSERT_TRUE(checked);
    EXPECT_EQ(doc->m_extents.xMin, -1.0);
    EXPECT_EQ(doc->m_extents.yMin, 0.0);
    EXPECT_EQ(doc->m_extents.yMax, 0.5);
    EXPECT_EQ(doc->m_nRandomPoints, 25);
    EXPECT_TRUE(program->MenuItem(ID_EDIT_UNDO).enabled);

    // Esc cancels and changes nothing.
    WhenModal([](QWidget* modal) {
        SetText(modal, IDC_REAL_FROM, "7");
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    program->host.ExecuteCommand(ID_SET_SPECIFY);
    EXPECT_EQ(doc->m_extents.xMin, -1.0);
}

TEST_F(GuiTest, SpecifyDialogSetsTheIterationLimit) {
    ASSERT_TRUE(program->WaitForIdle());
    CQuirl32Doc* doc = program->ActiveDoc();
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TemplateDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Specify"));
        EXPECT_EQ(Text(dialog, IDC_ITERATIONS), QStringLiteral("50"));
        EXPECT_TRUE(LabelTexts(dialog).contains(QStringLiteral("Number of iterations:")));
        EXPECT_EQ(dialog->focusWidget()->objectName(), QStringLiteral("Control1"));
        EXPECT_EQ(dialog->pos(), TemplatePosition(*program, dialog, 100, 90));
        SetText(dialog, IDC_ITERATIONS, " 300x");
        Press(dialog, IDOK);
    });
    program->host.ExecuteCommand(ID_ITER_OTHER);
    EXPECT_EQ(doc->m_nIterations, 300);
    EXPECT_TRUE(program->MenuItem(ID_ITER_OTHER).checked);

    // Enter in the field presses the default button.
    WhenModal([](QWidget* modal) {
        SetText(modal, IDC_ITERATIONS, "75");
        QWidget* edit = modal->findChild<QWidget*>(QStringLiteral("Control1004"));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
    });
    program->host.ExecuteCommand(ID_ITER_OTHER);
    EXPECT_EQ(doc->m_nIterations, 75);
    EXPECT_FALSE(program->MenuItem(ID_ITER_OTHER).checked);
    EXPECT_FALSE(program->MenuItem(ID_ITER_50).checked);

    WhenModal([](QWidget* modal) {
        SetText(modal, IDC_ITERATIONS, "1000");
        Press(modal, IDCANCEL);
    });
    program->host.ExecuteCommand(ID_ITER_OTHER);
    EXPECT_EQ(doc->m_nIterations, 75);
}

TEST_F(GuiTest, InfoDialogSummarisesTheSet) {
    ASSERT_TRUE(program->WaitForIdle());
    CQuirl32Doc* doc = program->ActiveDoc();
    const QString to = QString::fromStdString(FormatG(doc->m_extents.xMax, 15)) + "+1.2i";
    const QString zoom =
        QString::number(static_cast<long long>(1.0 / program->ActiveView()->m_dScaleX)) + " dpu";
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TemplateDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("The current set"));
        EXPECT_EQ(Text(dialog, IDC_INFO_FROM), QStringLiteral("-2.1-1.2i"));
        EXPECT_EQ(Text(dialog, IDC_INFO_TO), to);
        EXPECT_EQ(Text(dialog, IDC_INFO_ITERATIONS), QStringLiteral("50"));
        EXPECT_EQ(Text(dialog, IDC_INFO_ZOOM), zoom);
        EXPECT_TRUE(Text(dialog, IDC_INFO_TIME).endsWith(" sec") ||
                    Text(dialog, IDC_INFO_TIME) == "timer reset or not finished");
        for (const char* text : {"From:", "To:", "Range", "Zoom:", "Iterations:", "Time used:"})
            EXPECT_TRUE(LabelTexts(dialog).contains(QString::fromLatin1(text))) << text;
        EXPECT_EQ(Text(dialog, IDOK), QStringLiteral("That's it!"));
        EXPECT_EQ(dialog->pos(), TemplatePosition(*program, dialog, 130, 100));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    program->host.ExecuteCommand(ID_SET_INFO);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(doc->m_nIterations, 50);
}

TEST_F(GuiTest, AboutBoxSwapsItsIconOnADoubleClick) {
    bool checked = false;
    QImage first;
    QImage afterElsewhere;
    QImage afterIcon;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<TemplateDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("About Quirl32"));
        EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        EXPECT_TRUE(LabelTexts(dialog).contains(QStringLiteral("Quirl32 Version 1.0")));
        const QRect mainFrame = program->Main()->frameGeometry();
        EXPECT_LE((dialog->frameGeometry().center() - mainFrame.center()).manhattanLength(), 8);
        auto* icon = qobject_cast<QLabel*>(dialog->Control(IDC_ABOUT_ICON));
        ASSERT_NE(icon, nullptr);
        first = icon->pixmap().toImage();
        QTest::mouseDClick(dialog, Qt::LeftButton, {}, QPoint(dialog->width() - 5, 5));
        afterElsewhere = icon->pixmap().toImage();
        QTest::mouseDClick(icon, Qt::LeftButton, {}, QPoint(5, 5));
        afterIcon = icon->pixmap().toImage();
        checked = true;
        Press(dialog, IDOK);
    });
    program->host.ExecuteCommand(ID_APP_ABOUT);
    ASSERT_TRUE(checked);
    EXPECT_FALSE(first.isNull());
    EXPECT_EQ(afterElsewhere, first);
    EXPECT_NE(afterIcon, first);
    EXPECT_EQ(afterIcon.size(), QSize(32, 32));

    // The next box shows the first icon again.
    QImage again;
    WhenModal([&](QWidget* modal) {
        again = qobject_cast<QLabel*>(qobject_cast<TemplateDialog*>(modal)->Control(IDC_ABOUT_ICON))
                    ->pixmap()
                    .toImage();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    program->host.ExecuteCommand(ID_APP_ABOUT);
    EXPECT_EQ(again, first);
}

TEST_F(GuiTest, NoStepRunsWhileADialogIsOpen) {
    ASSERT_TRUE(program->WaitForIdle());
    // Random points over a new rectangle never finish and keep changing the
    // old picture.
    program->host.ExecuteCommand(ID_METHOD_RANDOM);
    program->host.ExecuteCommand(ID_SET_UNZOOM);
    QTest::qWait(30);
    ViewWidget* widget = program->ActiveViewWidget();
    std::vector<COLORREF> before;
    std::vector<COLORREF> after;
    WhenModal([&](QWidget* modal) {
        before = widget->WindowSurface().Pixels();
        QTest::qWait(100);
        after = widget->WindowSurface().Pixels();
        Press(modal, IDOK);
    });
    program->host.ExecuteCommand(ID_SET_INFO);
    EXPECT_TRUE(before == after);
    QTest::qWait(50);
    EXPECT_FALSE(widget->WindowSurface().Pixels() == after);
}

TEST_F(GuiTest, KeyboardFocusComesBackAfterEveryDialog) {
    for (int i = 0; i < 9; ++i)
        program->host.ExecuteCommand(ID_FILE_NEW);
    ASSERT_TRUE(program->WaitForIdle());
    MainWindow* main = program->Main();
    const auto focusOnTheView = [&] {
        main->activateWindow();
        QApplication::setActiveWindow(main);
        program->ActiveViewWidget()->setFocus();
        QTest::qWait(20);
        ASSERT_EQ(QApplication::focusWidget(), program->ActiveViewWidget());
    };
    // A template dialog, a message box and the Select Window dialog.
    const std::vector<std::function<void()>> dialogs = {
        [&] {
            WhenModal([](QWidget* modal) { Press(modal, IDOK); });
            program->host.ExecuteCommand(ID_SET_INFO);
        },
        [&] {
            WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); });
            AfxMessageBox("A message.", MB_ICONEXCLAMATION);
        },
        [&] {
            QMenu* menu = program->BarMenu(QStringLiteral("&Window"));
            emit menu->aboutToShow();
            WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
            menu->actions().last()->trigger();
        },
    };
    for (std::size_t i = 0; i < dialogs.size(); ++i) {
        focusOnTheView();
        QWidget* view = QApplication::focusWidget();
        dialogs[i]();
        // In a real X server the focus arrives a moment later; the checks
        // below say what did not.
        (void)QTest::qWaitFor(
            [&] {
                return QApplication::activeWindow() == main && QApplication::focusWidget() == view;
            },
            2000);
        EXPECT_EQ(QApplication::activeWindow(), main) << i;
        EXPECT_EQ(QApplication::focusWidget(), view) << i;
        // Keys reach the program again: Ctrl+N opens a set window.
        const auto windows = main->MdiArea()->subWindowList().size();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(main->MdiArea()->subWindowList().size(), windows + 1) << i;
    }
}

TEST_F(GuiTest, GroupBoxTitlesSitOnTheirFrames) {
    QImage picture;
    QRect box;
    WhenModal([&](QWidget* modal) {
        QGroupBox* range = nullptr;
        for (auto* b : modal->findChildren<QGroupBox*>())
            if (b->title() == QStringLiteral("Range"))
                range = b;
        ASSERT_NE(range, nullptr);
        box = range->geometry();
        picture = range->grab().toImage().convertToFormat(QImage::Format_RGB32);
        Press(modal, IDOK);
    });
    program->host.ExecuteCommand(ID_SET_INFO);
    ASSERT_FALSE(picture.isNull());
    // The template's rectangle, 6, 8, 180, 44 dialog units, is the frame.
    EXPECT_GT(box.height(), 40);
    const QRgb background = picture.pixel(picture.width() / 2, picture.height() / 2);
    const auto differs = [&](int x, int y) {
        const QRgb c = picture.pixel(x, y);
        return std::abs(qGray(c) - qGray(background)) > 16;
    };
    // The top edge: the first row drawn across the right half.
    int edge = -1;
    for (int y = 0; y < picture.height() / 2 && edge < 0; ++y) {
        int drawn = 0;
        for (int x = picture.width() / 2; x < picture.width() - 4; ++x)
            drawn += differs(x, y) ? 1 : 0;
        if (drawn > (picture.width() / 2 - 4) * 8 / 10)
            edge = y;
    }
    // The title's rows, at the left end.
    int first = -1;
    int last = -1;
    for (int y = 0; y < picture.height() / 2; ++y)
        for (int x = 4; x < 40; ++x)
            if (differs(x, y)) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
    ASSERT_GE(edge, 0);
    ASSERT_GE(first, 0);
    EXPECT_LT(first, edge);
    EXPECT_GT(last, edge);
}

TEST_F(GuiTest, DialogsHaveATitleBarOnlyAndStayUp) {
    std::map<QString, Qt::WindowFlags> flags;
    bool minimisedStays = true;
    const auto look = [&](QWidget* modal) {
        flags[modal->windowTitle()] = modal->windowFlags();
        // A window manager that minimises or maximises it anyway: it
        // comes back as it was.
        const QSize size = modal->size();
        modal->setWindowState(Qt::WindowMinimized);
        QTest::qWait(50);
        minimisedStays = minimisedStays && modal->isMinimized();
        modal->setWindowState(Qt::WindowMaximized);
        QTest::qWait(50);
        EXPECT_EQ(modal->size(), size);
        EXPECT_FALSE(modal->isMaximized());
    };
    WhenModal([&](QWidget* modal) {
        look(modal);
        Press(modal, IDOK);
    });
    program->host.ExecuteCommand(ID_SET_INFO);
    WhenModal([&](QWidget* modal) {
        look(modal);
        Press(modal, IDCANCEL);
    });
    program->host.ExecuteCommand(ID_ITER_OTHER);
    WhenModal([&](QWidget* modal) {
        look(modal);
        Press(modal, IDCANCEL);
    });
    program->host.ExecuteCommand(ID_SET_SPECIFY);
    WhenModal([&](QWidget* modal) {
        look(modal);
        Press(modal, IDOK);
    });
    program->host.ExecuteCommand(ID_APP_ABOUT);
    ASSERT_EQ(flags.size(), 4u);
    EXPECT_FALSE(minimisedStays);
    for (const auto& [title, f] : flags) {
        EXPECT_TRUE(f & Qt::WindowTitleHint) << title.toStdString();
        EXPECT_FALSE(f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))
            << title.toStdString();
        // Only the About box has a system menu, and with it a close box.
        EXPECT_EQ(bool(f & Qt::WindowCloseButtonHint), title == QStringLiteral("About Quirl32"))
            << title.toStdString();
    }
}
