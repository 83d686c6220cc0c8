#include "editor/ui/app/lock_indicators.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLibrary>
#include <QStatusBar>
#include <QTimer>

#include <array>

namespace keyui::app {

namespace {

constexpr int kPollMilliseconds = 250;

struct Indicator {
    const char* label;
    const char* xName;  // the X keyboard's indicator name
    int qtKey;
    bool LockStates::*state;
};

constexpr std::array kIndicators{
    Indicator{"UF", "Caps Lock", Qt::Key_CapsLock, &LockStates::caps},
    Indicator{"NUM", "Num Lock", Qt::Key_NumLock, &LockStates::num},
    Indicator{"RF", "Scroll Lock", Qt::Key_ScrollLock, &LockStates::scroll},
};

}  // namespace

// The X keyboard's named indicators, through libX11 bound at run time so the
// program needs no X library when it runs elsewhere.
struct LockStateReader::XKeyboard {
    using Display = void;
    using OpenDisplay = Display* (*)(const char*);
    using CloseDisplay = int (*)(Display*);
    using InternAtom = unsigned long (*)(Display*, const char*, int);
    using GetNamedIndicator = int (*)(Display*, unsigned long, int*, int*, void*, int*);

    QLibrary library{QStringLiteral("X11"), 6};
    Display* display = nullptr;
    CloseDisplay close = nullptr;
    GetNamedIndicator getIndicator = nullptr;
    std::array<unsigned long, kIndicators.size()> atoms{};

    bool open() {
        if (QGuiApplication::platformName() != QLatin1String("xcb") || !library.load()) return false;
        auto openDisplay = reinterpret_cast<OpenDisplay>(library.resolve("XOpenDisplay"));
        auto internAtom = reinterpret_cast<InternAtom>(library.resolve("XInternAtom"));
        close = reinterpret_cast<CloseDisplay>(library.resolve("XCloseDisplay"));
        getIndicator = reinterpret_cast<GetNamedIndicator>(library.resolve("XkbGetNamedIndicator"));
        if (openDisplay == nullptr || internAtom == nullptr || close == nullptr || getIndicator == nullptr)
            return false;
        display = openDisplay(nullptr);
        if (display == nullptr) return false;
        for (std::size_t i = 0; i < kIndicators.size(); ++i) atoms[i] = internAtom(display, kIndicators[i].xName, 0);
        return true;
    }

    LockStates read() const {
        LockStates states;
        for (std::size_t i = 0; i < kIndicators.size(); ++i) {
            int on = 0;
            if (getIndicator(display, atoms[i], nullptr, &on, nullptr, nullptr) != 0)
                states.*kIndicators[i].state = on != 0;
        }
        return states;
    }

    ~XKeyboard() {
        if (display != nullptr) close(display);
    }
};

LockStateReader::LockStateReader(QObject* parent) : QObject(parent), keyboard_(std::make_unique<XKeyboard>()) {
    if (keyboard_->open()) {
        states_ = keyboard_->read();
        timer_ = new QTimer(this);
        connect(timer_, &QTimer::timeout, this, &LockStateReader::poll);
        timer_->start(kPollMilliseconds);
    } else {
        keyboard_.reset();
        if (qApp != nullptr) qApp->installEventFilter(this);
    }
}

LockStateReader::~LockStateReader() = default;

bool LockStateReader::readsKeyboard() const { return keyboard_ != nullptr; }

void LockStateReader::keyPressed(int qtKey) {
    if (readsKeyboard()) return;
    for (const Indicator& indicator : kIndicators) {
        if (indicator.qtKey != qtKey) continue;
        LockStates next = states_;
        next.*indicator.state = !(next.*indicator.state);
        set(next);
    }
}

void LockStateReader::poll() {
    if (readsKeyboard()) set(keyboard_->read());
}

bool LockStateReader::eventFilter(QObject* watched, QEvent* event) {
    // A key event travels from the focus widget up to its window, passing
    // the application's filter each time: count it where it starts.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto* widget = static_cast<QWidget*>(watched);
        const QWidget* focus = QApplication::focusWidget();
        const bool firstReceiver = focus != nullptr ? widget == focus : widget->isWindow();
        const auto* key = static_cast<QKeyEvent*>(event);
        if (firstReceiver && !key->isAutoRepeat()) keyPressed(key->key());
    }
    return QObject::eventFilter(watched, event);
}

void LockStateReader::set(const LockStates& states) {
    if (states == states_) return;
    states_ = states;
    emit changed(states_);
}

LockIndicators::LockIndicators(QStatusBar& bar, LockStateReader& reader) : QObject(&bar) {
    std::array<QLabel**, kIndicators.size()> labels{&caps_, &num_, &scroll_};
    for (std::size_t i = 0; i < kIndicators.size(); ++i) {
        auto* label = new QLabel(QString::fromLatin1(kIndicators[i].label), &bar);
        label->setObjectName(QStringLiteral("indicator%1").arg(QString::fromLatin1(kIndicators[i].label)));
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->sizeHint().width() + label->fontMetrics().averageCharWidth() * 2);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar.addPermanentWidget(label);
        *labels[i] = label;
    }
    connect(&reader, &LockStateReader::changed, this, &LockIndicators::show);
    show(reader.states());
}

void LockIndicators::show(const LockStates& states) {
    const std::array<QLabel*, kIndicators.size()> labels{caps_, num_, scroll_};
    for (std::size_t i = 0; i < kIndicators.size(); ++i) {
        const bool on = states.*kIndicators[i].state;
        labels[i]->setText(on ? QString::fromLatin1(kIndicators[i].label) : QString());
    }
}

}  // namespace keyui::app
