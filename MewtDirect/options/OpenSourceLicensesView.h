#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStackedLayout;

namespace mewt {

// The notices of the libraries mewt ships: their list on the left, the chosen one's text on the
// right. Built afresh for every showing, so it always opens on the first notice. The texts are
// read from `noticeRoot` (the compiled-in resources) and shown as plain text.
class OpenSourceLicensesView final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OpenSourceLicensesView)

public:
    static constexpr int width = 740;
    static constexpr int height = 520;
    static constexpr int listWidth = 160;

    explicit OpenSourceLicensesView(QWidget* parent = nullptr, QString noticeRoot = QStringLiteral(":/"));

    // The id of the notice shown; none while nothing is selected.
    std::optional<QString> selectedNotice() const;
    void selectNotice(const std::optional<QString>& id);

    QListWidget* list() const { return notices; }
    QLabel* detailTitle() const { return title; }
    QPlainTextEdit* detailText() const { return text; }
    QLabel* emptyLine() const { return empty; }
    QPushButton* doneButton() const { return done; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void showSelection();
    void retranslate();
    void tintListGlyphs();

    QString noticeRoot;
    QLabel* subtitle = nullptr;
    QListWidget* notices = nullptr;
    QStackedLayout* detail = nullptr;
    QLabel* title = nullptr;
    QPlainTextEdit* text = nullptr;
    QLabel* empty = nullptr;
    QPushButton* done = nullptr;
};

} // namespace mewt
