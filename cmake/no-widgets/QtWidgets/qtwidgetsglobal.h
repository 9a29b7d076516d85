// Placed first on the include path of the widget-free core: every Qt Widgets header
// includes this one, so a window class reaching the core stops the build here.
#error "src/core must not use Qt Widgets; put window code under src/ui"
