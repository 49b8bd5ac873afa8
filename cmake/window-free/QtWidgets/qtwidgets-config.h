// Stands in for Qt's own QtWidgets configuration header on the include path of the window-free libraries,
// which every QtWidgets header reads first: including any QtWidgets header there stops the build.
#error "QtWidgets header included in a library that is window-free (see Layout in README.md)"
