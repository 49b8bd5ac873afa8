// Stands in for Qt's own QtCharts configuration header on the include path of the window-free libraries,
// which every QtCharts header reads first: including any QtCharts header there stops the build.
#error "QtCharts header included in a library that is window-free (see Layout in README.md)"
