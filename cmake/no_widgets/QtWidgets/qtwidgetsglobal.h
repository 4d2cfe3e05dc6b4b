// Found before Qt's own header by the layers that need no window: any
// QtWidgets header included there stops the build here.
#error "This layer needs no window: it may not include QtWidgets headers."
