#pragma once

#include <QWidget>

class QLabel;

namespace mewt {

// What the sidebar shows when a search finds nothing: a magnifier, the query and a hint.
class OptionsSearchEmptyState final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsSearchEmptyState)

public:
    explicit OptionsSearchEmptyState(QWidget* parent = nullptr);

    const QString& query() const { return shownQuery; }
    // The text as typed; shown verbatim, never as markup.
    void setQuery(const QString& query);
    QString headline() const;

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void retranslate();
    QRectF magnifierRect() const;

    QString shownQuery;
    QLabel* headlineLabel = nullptr;
    QLabel* hintLabel = nullptr;
};

} // namespace mewt
