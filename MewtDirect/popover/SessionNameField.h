#pragma once

#include <QLineEdit>

namespace mewt {

inline constexpr int sessionNameCharacterLimit = 40;

// A typed session name as it is kept: every line break (CRLF as one) becomes one space, then the
// text is cut after 40 user-perceived characters.
QString normalizedSessionName(const QString& text);

// What an edit leaves of a name, so that a field shows only what is kept: line breaks become
// spaces, and an edit that would take the name past its limit keeps only as much of what it put in
// (the text up to `cursor` that `before` did not have) as fits. A full name takes no more
// characters and a paste is cut where it goes in; the cursor follows what was kept.
struct SessionNameEdit {
    QString text;
    int cursor = 0;
};
SessionNameEdit keptSessionNameEdit(const QString& before, const QString& edited, int cursor);

// The always-editable name of the next session. Shows "optional name" while empty; Return asks to
// start (returnPressed). Every edit is handed out at once; the owner stores it.
class SessionNameField final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionNameField)

public:
    explicit SessionNameField(Qt::Alignment alignment, QWidget* parent = nullptr);

    // Store -> field, without echoing an edit back; the cursor moves to `cursor` when given,
    // otherwise it stays where it was.
    void showName(const QString& name, int cursor = -1);
    void setColors(const QColor& text, const QColor& placeholder);

Q_SIGNALS:
    void nameEdited(const QString& name);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void retranslate();
    void fitFont();
};

} // namespace mewt
