#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace tarvel::controls {

// The repeat of a held arrow or band: a first timer runs once after `first_delay` ms and starts
// a second 50 ms timer, which clicks until the button is released. Time is either the real
// QTimers or, when driven manually, Advance(ms) (tests never sleep).
class ArrowRepeat : public QObject {
    Q_OBJECT
  public:
    static constexpr int kInterval = 50;

    explicit ArrowRepeat(std::function<void()> click, QObject* parent = nullptr);

    void Start(int first_delay_ms);
    void Stop();
    bool Running() const { return stage_ != Stage::Idle; }

    // Manual time: the real timers stay off and Advance moves time on by whole milliseconds.
    void SetManual(bool manual);
    void Advance(int ms);

  private:
    enum class Stage { Idle, Waiting, Repeating };
    void FirstElapsed();

    std::function<void()> click_;
    QTimer first_;
    QTimer second_;
    Stage stage_ = Stage::Idle;
    bool manual_ = false;
    int first_delay_ = kInterval;
    int elapsed_ = 0;  // manual time spent in the current stage
};

}  // namespace tarvel::controls
