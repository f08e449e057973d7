#pragma once

#include <QWidget>

#include <functional>

namespace glossivo {

// A failure in one sentence, with a way to the settings window when the failure needs one.
class ErrorCard : public QWidget {
    Q_OBJECT

public:
    ErrorCard(const QString& message, bool needsSettings, std::function<void()> openSettings,
              QWidget* parent = nullptr);

    static constexpr int kWidth = 300;
};

} // namespace glossivo
