#pragma once

#include "model/CatTheme.h"

#include <QWidget>
#include <optional>

class QLabel;

namespace mewt {

class CharacterSlotText;

// The large rolling time with what belongs above and below it: a caption or the session header
// (the active name · the title) above, the status caption below.
class PhaseTimeBlock final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PhaseTimeBlock)

public:
    enum class Form {
        compact, // an optional small caption over the time
        zen, // a caption over the time, no status
        full, // the session header, the time and the status
    };
    struct Content {
        Form form = Form::full;
        std::optional<QString> activeName;
        std::optional<QString> title;
        QString time;
        QString status;
        bool operator==(const Content&) const = default;
    };

    explicit PhaseTimeBlock(QWidget* parent = nullptr);

    const Content& content() const { return shown; }
    void setContent(const Content& content);
    void setPopoverPalette(const CatPopoverPalette& palette);
    // The header row is shown: a name, a title or both.
    bool showsHeader() const;
    // The labels a reader reads, in reading order (hidden ones included).
    QList<QWidget*> spokenLabels() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyColors();
    // Shortens the name and the title to the width there is; the title keeps most of it.
    void elideHeader();

    Content shown;
    CatPopoverPalette colors;
    QWidget* header = nullptr;
    QLabel* name = nullptr;
    QLabel* separator = nullptr;
    QLabel* title = nullptr;
    CharacterSlotText* time = nullptr;
    QLabel* status = nullptr;
};

} // namespace mewt
