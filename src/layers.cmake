# The layers of Vintora, bottom to top: one folder of src/ each. A layer's
# code may use the layers below it and never one above; the build gives each
# layer's library only the headers of the layers it links, and the test
# layer_includes reads every include against this order.
#
# Up to `cli` the layers need no window (QtCore and QtGui only); from
# `controls` on they are the desktop program's.
set(VINTORA_LAYERS
    base        # file-name bytes, source files, small text helpers, units
    settings    # the record of the user's choices, start values, numbers and colours
    pictures    # reading picture files: listing, headers, integrity, decoding, facts
    tiling      # the designers' previews drawn without a window
    output      # the one writer, the names of copies, the page's name
    renditions  # thumbnails and screen-size copies, the memory budget
    page        # picture references, the classic and the modern page writers
    run         # the Fin run: checks, plan, copies, renditions, page
    cli         # the command line of vintora-cli
    controls    # the wizard's small widgets
    desktop     # dialogs, the folder chooser, links, remembered folders
    designer    # the Page style and Table cell designers, the preview window
    wizard      # the wizard window, its pages and the Fin controller
    app         # the programs
)
set(VINTORA_CORE_LAYERS base settings pictures tiling output renditions page run cli)
