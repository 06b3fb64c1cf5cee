#pragma once

class QWidget;

// Names and describes a pane to screen readers on the control that takes its focus, from the
// string `id`: the name, then after a line break the description.
void DescribePane(QWidget* control, unsigned id);
