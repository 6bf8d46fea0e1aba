#include "qt/StatusPanels.h"

#include <algorithm>

#include <QEvent>

#include "qt/ElidedLabel.h"

namespace brelker {
namespace {

constexpr int kLines = 2;
// Room between the panels, and the most of the bar panel 1 takes.
constexpr int kGap = 6;
constexpr int kStateShareFifths = 3;

}  // namespace

StatusPanels::StatusPanels(QWidget* parent)
    : QWidget(parent),
      hints_(new ElidedLabel(Qt::ElideMiddle, this)),
      state_(new ElidedLabel(Qt::ElideRight, this)) {
    setObjectName(QStringLiteral("StatusPanels"));
    hints_->setObjectName(QStringLiteral("StatusPanel0"));
    state_->setObjectName(QStringLiteral("StatusPanel1"));
    for (ElidedLabel* panel : {hints_, state_}) {
        panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void StatusPanels::ShowNote(const QString& text) { hints_->ShowShortened(text, Qt::ElideMiddle); }

void StatusPanels::ShowHint(const QString& text) { hints_->ShowWrapped(text); }

void StatusPanels::ShowState(const QString& text) {
    state_->ShowWrapped(text);
    Arrange();
}

QSize StatusPanels::sizeHint() const {
    return {fontMetrics().averageCharWidth() * 60, minimumSizeHint().height()};
}

// Two lines high always; as narrow as the window may become.
QSize StatusPanels::minimumSizeHint() const {
    const QMargins margins = hints_->contentsMargins();
    return {fontMetrics().averageCharWidth() * 12,
            kLines * fontMetrics().lineSpacing() + margins.top() + margins.bottom()};
}

void StatusPanels::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}

void StatusPanels::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        Arrange();
    }
}

void StatusPanels::Arrange() {
    const int room = width();
    int stateWidth = 0;
    if (!state_->text().isEmpty()) {
        const QMargins margins = state_->contentsMargins();
        const int wanted = state_->fontMetrics().horizontalAdvance(state_->text()) +
                           margins.left() + margins.right() + 2 * state_->margin() + 1;
        stateWidth = std::min(wanted, room * kStateShareFifths / 5);
    }
    const int hintsWidth = std::max(room - stateWidth - (stateWidth > 0 ? kGap : 0), 0);
    hints_->setGeometry(0, 0, hintsWidth, height());
    state_->setGeometry(room - stateWidth, 0, stateWidth, height());
}

}  // namespace brelker
