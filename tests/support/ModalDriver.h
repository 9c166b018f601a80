#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <functional>

// Acts on modal dialogs from inside their exec(): every time a modal dialog is shown (a
// new one, or the same object shown again) the next scripted step runs on it once its
// event loop runs (fill its fields, press a button). Lives for one test.
class ModalDriver : public QObject {
public:
    using Step = std::function<void(QWidget* dialog)>;

    ModalDriver() { qApp->installEventFilter(this); }
    ~ModalDriver() override { qApp->removeEventFilter(this); }

    void Then(Step step) { m_steps.push_back(std::move(step)); }
    int Shown() const { return m_shown; }
    bool Done() const { return m_steps.empty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog != nullptr && dialog->isModal() && !m_steps.empty()) {
                ++m_shown;
                Step step = std::move(m_steps.front());
                m_steps.pop_front();
                QPointer<QDialog> target(dialog);
                QTimer::singleShot(0, this, [target, step] {
                    if (target)
                        step(target);
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::deque<Step> m_steps;
    int m_shown = 0;
};
