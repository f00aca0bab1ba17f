// The main window's menus, toolbar and language switch.

#include "app/frm_main_window.h"
#include "app/frm_main_window_design.h"

#include "dialogs/fitted_controls.h"
#include "platform/paths.h"
#include "settings/setting_names.h"

#include <QAction>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>
#include <QStyle>

namespace kelmar::app {

using namespace main_window;
namespace names = settings::names;

void frmMainWindow::buildMenus() {
    auto addAction = [this](QMenu* menu, const char* name, const char* design, auto handler) {
        QAction* action = menu->addAction(QString::fromUtf8(design));
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        actionsByName_[name] = action;
        return action;
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("menuFile");
    QMenu* language = file->addMenu("Language");
    language->setObjectName("menuLanguage");
    const char* designs[] = {"English", "German", "French", "Italian", "Czech", "Spanish", "Portuguese", "Hungaria"};
    for (int n = 1; n <= 8; ++n) {
        QAction* action = addAction(language, kLanguageMenus[n - 1], designs[n - 1], [this, n] { chooseLanguage(n); });
        action->setCheckable(true);
        languageActions_[n] = action;
    }
    file->addSeparator()->setObjectName("menuFileTrennlinie1");
    addAction(file, "menuExit", "Exit", [this] { close(); });

    QMenu* preferences = menuBar()->addMenu("&Preferences");
    preferences->setObjectName("menuPreferences");
    for (auto [name, design] : {std::pair{"menuSetup", "Setup"}, {"menuMonitor", "Q-DAS Monitoring"},
                                {"menuQdasSettings", "Q-DAS Settings"}, {"menuQdasKeySetup", "Setup for Q-DAS Keys"}})
        addAction(preferences, name, design, [this, dialog = std::string(name)] {
            if (actions_.openDialog) actions_.openDialog(dialog);
        });

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("menuHelp");
    help->addSeparator()->setObjectName("menuHelpTrenn1");
    addAction(help, "menuAbout", "About Kelmar...", [this] {
        if (actions_.openDialog) actions_.openDialog("menuAbout");
    });
    // Stored on the window so findChild reaches the menus by name.
    for (QMenu* menu : {file, language, preferences, help}) widgets_[menu->objectName().toStdString()] = menu;
}

void frmMainWindow::buildToolbar() {
    toolbar_ = addToolBar("Toolbar1");
    toolbar_->setObjectName("Toolbar1");
    toolbar_->setMovable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    struct Button {
        const char* name;
        const char* caption;
        const char* tooltip;
        QStyle::StandardPixmap icon;
        QKeySequence shortcut;
        std::function<void()> run;
    };
    const Button buttons[] = {
        {"Button1", "Online", "Import ONLINE On/Off", QStyle::SP_MediaPlay, QKeySequence(Qt::Key_F5),
         [this] {
             if (actions_.toggleOnline) actions_.toggleOnline();
             // A refused switch leaves the button as the mode is, not as the click left it.
             showOnline(statusText(1) == process_.state.texts.line(kOnlineLine));
         }},
        {"Button3", "Offline", "Import OFFLINE", QStyle::SP_FileDialogContentsView, QKeySequence(Qt::Key_F6),
         [this] {
             if (actions_.offline) actions_.offline();
         }},
        {"Button5", "ASCII Export", "Create Q-DAS ASCII file", QStyle::SP_DialogSaveButton, QKeySequence(Qt::Key_F7),
         [this] {
             if (actions_.asciiExport) actions_.asciiExport();
         }},
        {"Button7", "Exit", "Close Application", QStyle::SP_DialogCloseButton, QKeySequence(), [this] { close(); }},
    };
    bool first = true;
    for (const auto& button : buttons) {
        if (!first) toolbar_->addSeparator();
        first = false;
        QAction* action = toolbar_->addAction(style()->standardIcon(button.icon), button.caption);
        action->setObjectName(button.name);
        action->setShortcut(button.shortcut);
        action->setToolTip(withShortcut(button.tooltip, *action));
        connect(action, &QAction::triggered, this, button.run);
        actionsByName_[button.name] = action;
    }
    // The Online button shows its state: pressed with the second image while online.
    actionsByName_["Button1"]->setCheckable(true);
}

namespace main_window {

QString withShortcut(const QString& tip, const QAction& action) {
    if (action.shortcut().isEmpty()) return tip;
    return tip + " (" + action.shortcut().toString(QKeySequence::NativeText) + ")";
}

void giveAccessKeys(const QList<QAction*>& entries) {
    // Each entry of a menu gets its own letter, the first of its text that no earlier entry took.
    QString taken;
    for (QAction* entry : entries) {
        QString text = entry->text();
        const int marked = text.indexOf(QRegularExpression("&[^&]"));
        if (marked >= 0) {
            taken += text[marked + 1].toLower();
        } else {
            for (int i = 0; i < text.size(); ++i)
                if (text[i].isLetter() && !taken.contains(text[i].toLower())) {
                    taken += text[i].toLower();
                    text.insert(i, '&');
                    entry->setText(text);
                    break;
                }
        }
        if (entry->menu()) giveAccessKeys(entry->menu()->actions());
    }
}

}  // namespace main_window

void frmMainWindow::markLanguage(int number) {
    if (number < 1 || number > 8) number = 1;
    for (auto& [n, action] : languageActions_) action->setChecked(n == number);
}

void frmMainWindow::chooseLanguage(int number) {
    auto& state = process_.state;
    settings::LanguageContext language{process_.files(), process_.messages(), state.programFolder,
                                       &process_.settings(), [this](const std::string& s) { setStatusText(1, s); }};
    // Panel 2 shows either the statistics state or one of the offline import's lines;
    // a line is shown again in the new language.
    int panel2Line = 0;
    for (int line : {kImportRunningLine, kImportFinishedLine})
        if (!state.texts.line(line).empty() && statusText(2) == state.texts.line(line)) panel2Line = line;
    bool restarted = true;
    settings::SwitchLanguage(state.texts, language, settings::languageBaseName(number), [&] {
        // Start-up attaches afresh and resets the panels, so online mode ends first.
        if (actions_.leaveOnline) actions_.leaveOnline();
        // Online mode stays off after a language change, whatever the command line asked at the start.
        restarting_ = true;
        restarted = startUp();
        restarting_ = false;
    });
    if (!restarted || process_.ending()) return;
    if (panel2Line) setStatusText(2, state.texts.line(panel2Line));
    markLanguage(number);
    process_.settings().writeInt(names::Language, number);
}

}  // namespace kelmar::app
