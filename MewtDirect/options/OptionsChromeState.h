#pragma once

#include <QObject>

namespace mewt {

// Whether the page beside the sidebar is scrolled away from its top: the title bar shows its
// backdrop only then.
class OptionsChromeState final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsChromeState)

public:
    using QObject::QObject;

    bool isDetailScrolled() const { return detailScrolled; }
    void setDetailScrolled(bool scrolled)
    {
        if (detailScrolled == scrolled)
            return;
        detailScrolled = scrolled;
        Q_EMIT detailScrolledChanged(scrolled);
    }

Q_SIGNALS:
    void detailScrolledChanged(bool scrolled);

private:
    bool detailScrolled = false;
};

} // namespace mewt
