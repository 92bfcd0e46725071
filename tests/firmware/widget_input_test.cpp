#include "firmware/ui/widget_input.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>

namespace vemo {
namespace {

class ClickCounter final : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

void PostClick(QWidget& widget) {
    QCoreApplication::postEvent(
        &widget, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5),
                                 Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
}

TEST(WidgetInput, ClicksDuringTheTransferAreDroppedNotDeliveredAfterIt) {
    ClickCounter window;
    WidgetInput input(window);

    input.SetInputEnabled(false);
    EXPECT_FALSE(window.isEnabled());
    PostClick(window);
    input.DiscardPendingInput();
    input.SetInputEnabled(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.presses, 0);

    PostClick(window);  // the same click on the enabled window acts
    QCoreApplication::processEvents();
    EXPECT_EQ(window.presses, 1);
}

}  // namespace
}  // namespace vemo
