# Leaves the root window as a window manager that died leaves it: its
# _NET_SUPPORTING_WM_CHECK names a window that no longer exists.
import ctypes, ctypes.util, sys
x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int,
                              ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
d = x.XOpenDisplay(None)
if not d:
    sys.exit("no display")
dead = ctypes.c_ulong(0x3fffff)
XA_WINDOW, PropModeReplace = 33, 0
x.XChangeProperty(d, x.XDefaultRootWindow(d), x.XInternAtom(d, b"_NET_SUPPORTING_WM_CHECK", 0), XA_WINDOW, 32,
                  PropModeReplace, ctypes.byref(dead), 1)
x.XInternAtom(d, b"_NET_SUPPORTED", 0)  # SFML asks only when a window manager named it
x.XCloseDisplay(d)
