// Registers the window classes of the editor's custom controls that are
// registered by the library rather than by their first CreateControl.
// (Each control registers its own class on first use; this file keeps the
// library non-empty while controls are added one by one.)
