// Must not compile: a window-free library that includes a widget header (see tests/layering).
#include <QtWidgets/QWidget>
