#pragma once

class QWidget;

/// Grows a form laid out at fixed positions so that every caption shows in full in the
/// current font (larger at 120 or 144 dpi, or with a larger desktop font): the size the form
/// has now is its minimum. When some text needs more room than its widget has (inside the
/// form), all positions and sizes are stretched by the same factors, horizontally and
/// vertically apart, so widgets stay in their order and never overlap; the form's fixed
/// size grows by the same factors. A form whose texts already fit is left exactly as it is.
void fitFormToTexts(QWidget *form);
