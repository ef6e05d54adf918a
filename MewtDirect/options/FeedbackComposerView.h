#pragma once

#include "model/ColorScheme.h"

#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;
class QToolButton;

namespace mewt {

class FeedbackComposerModel;

// The feedback form: the note, its kind and an optional reply address while editing, the
// failure's sentence below it, the thanks once sent. It changes the model only through its
// operations and only for what the user did.
class FeedbackComposerView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FeedbackComposerView)

public:
    static constexpr int width = 420;
    // A paste or drop that would take the note past this many UTF-16 units is refused: far above
    // what a note may send, far below what would stall the form.
    static constexpr qsizetype noteBound = 50'000;

    FeedbackComposerView(FeedbackComposerModel& model, std::function<void()> onClose, QWidget* parent = nullptr);

    // What travels with a note, in one line.
    static QString diagnosticsSummary();

    // Model -> controls, once per event-loop turn; public so tests need no loop.
    void sync();
    void setColorScheme(ColorScheme scheme);
    // Escape: the cancel action, only while "cancel" shows and may act.
    void cancelAction();

    QPlainTextEdit* messageEditor() const { return editor; }
    QLineEdit* contactEmailField() const { return email; }
    QCheckBox* includeEmailToggle() const { return includeEmail; }
    QPushButton* sendButton() const { return send; }
    QPushButton* cancelButton() const { return cancel; }
    QPushButton* doneButton() const { return done; }
    QToolButton* closeButton() const { return close; }
    QPushButton* categoryButton(int index) const { return categories.at(index); }
    QTextEdit* failureText() const { return failure; }
    QLabel* pasteRefusedLine() const { return pasteRefused; }
    QWidget* sentBlock() const { return thanks; }

protected:
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildForm();
    QWidget* buildThanks();
    QWidget* buildButtons();
    void retranslate();
    void applyColors();
    void scheduleSync();
    void runClose();

    FeedbackComposerModel& model;
    std::function<void()> onClose;
    ColorScheme scheme = ColorScheme::light;
    bool syncPending = false;

    QLabel* title = nullptr;
    QLabel* subtitle = nullptr;
    QToolButton* close = nullptr;
    QWidget* form = nullptr;
    QLabel* kindLabel = nullptr;
    std::array<QPushButton*, 3> categories {};
    QPlainTextEdit* editor = nullptr;
    QLabel* pasteRefused = nullptr;
    QCheckBox* includeEmail = nullptr;
    QLineEdit* email = nullptr;
    QLabel* summary = nullptr;
    QTextEdit* failure = nullptr;
    QWidget* thanks = nullptr;
    QLabel* checkmark = nullptr;
    QLabel* thanksTitle = nullptr;
    QLabel* thanksText = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* send = nullptr;
    QPushButton* done = nullptr;
};

} // namespace mewt
