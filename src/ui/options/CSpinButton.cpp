#include "options/CSpinButton.h"

#include "platform/LeadingInt.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, const char* name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return button;
}

}  // namespace

CSpinButton::CSpinButton(QLineEdit* buddy, QWidget* parent)
    : QWidget(parent),
      m_pBuddy(buddy),
      m_pUp(ArrowButton(Qt::UpArrow, "spinUp", this)),
      m_pDown(ArrowButton(Qt::DownArrow, "spinDown", this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pUp);
    layout->addWidget(m_pDown);
    connect(m_pUp, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(m_pDown, &QToolButton::clicked, this, [this] { StepBy(-1); });
    m_pBuddy->installEventFilter(this);
}

void CSpinButton::SetRange(int lower, int upper)
{
    m_nLower = std::min(lower, upper);
    m_nUpper = std::max(lower, upper);
    m_nPos = std::clamp(m_nPos, m_nLower, m_nUpper);
}

void CSpinButton::StepBy(int delta)
{
    if (std::optional<int> typed = LeadingInt(m_pBuddy->text().toStdString()))
        m_nPos = std::clamp(*typed, m_nLower, m_nUpper);
    const int next = std::clamp(m_nPos + delta, m_nLower, m_nUpper);
    m_nPos = next;
    m_pBuddy->setText(QString::number(next));
}

bool CSpinButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pBuddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
