#pragma once

#include <QWidget>

#include <functional>

namespace glossivo {

// The card while an explanation or a translation is on its way: the text in question, a speak
// button, and a turning indicator with a note.
class LoadingCard : public QWidget {
    Q_OBJECT

public:
    LoadingCard(const QString& title, const QString& note,
                std::function<void(const QString&)> speak, QWidget* parent = nullptr);

    static constexpr int kWidth = 340;
};

} // namespace glossivo
