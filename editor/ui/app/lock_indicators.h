#pragma once

// The status bar's indicators "UF", "NUM" and "RF" for Caps Lock, Num Lock
// and Scroll Lock. The states come from the X keyboard's indicators when
// the program runs on an X display; elsewhere from the lock key presses the
// application sees.

#include <QObject>
#include <memory>

class QLabel;
class QStatusBar;
class QTimer;

namespace keyui::app {

struct LockStates {
    bool caps = false;
    bool num = false;
    bool scroll = false;
    friend bool operator==(const LockStates&, const LockStates&) = default;
};

// Reads the lock states; one instance per main window.
class LockStateReader : public QObject {
    Q_OBJECT
public:
    explicit LockStateReader(QObject* parent = nullptr);
    ~LockStateReader() override;

    const LockStates& states() const { return states_; }
    // True when the states come from the X keyboard.
    bool readsKeyboard() const;
    // A lock key press seen by the application toggles its state (unless
    // the X keyboard is read).
    void keyPressed(int qtKey);
    // Reads the X keyboard again.
    void poll();

signals:
    void changed(const LockStates& states);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void set(const LockStates& states);

    struct XKeyboard;
    std::unique_ptr<XKeyboard> keyboard_;
    LockStates states_;
    QTimer* timer_ = nullptr;
};

// The three labels in the status bar.
class LockIndicators : public QObject {
    Q_OBJECT
public:
    LockIndicators(QStatusBar& bar, LockStateReader& reader);

    QLabel* caps() const { return caps_; }
    QLabel* num() const { return num_; }
    QLabel* scroll() const { return scroll_; }

private:
    void show(const LockStates& states);

    QLabel* caps_ = nullptr;
    QLabel* num_ = nullptr;
    QLabel* scroll_ = nullptr;
};

}  // namespace keyui::app
