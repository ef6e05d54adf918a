#pragma once

#include <QLineEdit>

namespace mewt {

inline constexpr int sessionNameCharacterLimit = 40;

// A typed session name as it is kept: every line break (CRLF as one) becomes one space, then the
// text is cut after 40 user-perceived characters.
QString normalizedSessionName(const QString& text);

// The always-editable name of the next session. Shows "optional name" while empty; Return asks to
// start (returnPressed). Every edit is handed out at once; the owner stores it.
class SessionNameField final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionNameField)

public:
    explicit SessionNameField(Qt::Alignment alignment, QWidget* parent = nullptr);

    // Store -> field, without echoing an edit back.
    void showName(const QString& name);
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
