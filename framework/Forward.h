// The framework's classes by name, for headers that only refer to them.
#pragma once

namespace fw {

template <class T> class Ref;
template <class T> class WeakRef;

class Object;
class ClassRecord;
class Value;
class String;
class Delegate;

class Application;
class Window;
class Control;
class RectControl;
class TextControl;
class CheckBox;
class Label;
class PopupMenu;
class ProgressBar;
class PushButton;
class TextArea;
class Timer;
class MenuBar;
class MenuItem;
class MessageDialog;
class MessageDialogButton;

class Date;
class FolderItem;
class TextInputStream;
class TextOutputStream;
class Graphics;
class HTTPSocket;
class InternetHeaders;
class StyledTextPrinter;

} // namespace fw
