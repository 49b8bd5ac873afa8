// Stands in for Qt's own QtGui configuration header on the include path of the window-free libraries,
// which every QtGui header reads first: including any QtGui header there stops the build.
#error "QtGui header included in a library that is window-free (see Layout in README.md)"
