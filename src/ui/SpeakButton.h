#pragma once

#include <QToolButton>

#include <functional>

namespace glossivo {

// A small speaker button that reads a text aloud through the given voice.
class SpeakButton : public QToolButton {
    Q_OBJECT

public:
    SpeakButton(const QString& text, std::function<void(const QString&)> speak,
                QWidget* parent = nullptr);
};

} // namespace glossivo
