#include "framework/controls.h"

#include "framework/window.h"
#include "host.h"
#include "sys.h"

namespace fw {

Control::Control(const Window& parent, int id) : parent_(&parent), id_(id) {}

void Control::attach(const Window& parent, int id) {
    parent_ = &parent;
    id_ = id;
}

Handle Control::handle() const {
    return parent_ != nullptr ? sys::dialogItem(parent_->handle(), id_) : nullptr;
}

std::string Control::text() const {
    return sys::windowText(handle());
}
void Control::setText(const std::string& text) {
    sys::setWindowText(handle(), text);
}
void Control::enable(bool enabled) {
    sys::enableWindow(handle(), enabled);
}
bool Control::isEnabled() const {
    return sys::isWindowEnabled(handle());
}
void Control::show(bool visible) {
    sys::showWindow(handle(), visible ? sys::Show::show : sys::Show::hide);
}
bool Control::isVisible() const {
    return sys::isWindowVisible(handle());
}
void Control::setFocus() {
    sys::setFocus(handle());
}
std::string Control::className() const {
    return sys::className(handle());
}
Rect Control::windowRect() const {
    return sys::windowRect(handle());
}
Point Control::screenToClient(Point screen) const {
    return sys::screenToClient(handle(), screen);
}
int Control::checkState() const {
    return sys::checkState(handle());
}
void Control::setCheck(int state) {
    sys::setCheck(handle(), state);
}

int ComboBox::addString(const std::string& text) {
    return sys::comboAdd(handle(), text);
}
void ComboBox::resetContent() {
    sys::comboReset(handle());
}
int ComboBox::count() const {
    return sys::comboCount(handle());
}
std::string ComboBox::itemText(int index) const {
    return sys::comboText(handle(), index);
}
int ComboBox::selectString(int startAfter, const std::string& text) {
    return sys::comboSelectString(handle(), startAfter, text);
}
int ComboBox::currentSelection() const {
    return sys::comboSelection(handle());
}
void ComboBox::setCurrentSelection(int index) {
    sys::comboSetSelection(handle(), index);
}

int ListView::insertColumn(int column, const std::string& heading, int width, Align align) {
    return sys::listInsertColumn(handle(), column, heading, width, align);
}
int ListView::columnCount() const {
    return sys::listColumnCount(handle());
}
std::string ListView::columnHeading(int column) const {
    return sys::listColumnHeading(handle(), column);
}
void ListView::setSmallImages(const ImageList& images) {
    sys::listSetSmallImages(handle(), images.handle());
}
int ListView::insertItem(int row, const std::string& text, int image) {
    return sys::listInsertItem(handle(), row, text, image);
}
bool ListView::setItemText(int row, int column, const std::string& text) {
    return sys::listSetItemText(handle(), row, column, text);
}
std::string ListView::itemText(int row, int column) const {
    return sys::listItemText(handle(), row, column);
}
bool ListView::setItemImage(int row, int image) {
    return sys::listSetItemImage(handle(), row, image);
}
int ListView::itemImage(int row) const {
    return sys::listItemImage(handle(), row);
}
bool ListView::deleteItem(int row) {
    return sys::listDeleteItem(handle(), row);
}
void ListView::deleteAllItems() {
    sys::listDeleteAll(handle());
}
int ListView::itemCount() const {
    return sys::listItemCount(handle());
}
Rect ListView::itemRect(int row) const {
    return sys::listItemRect(handle(), row);
}
int ListView::hitTest(Point point) const {
    return sys::listHitTest(handle(), point);
}
void ListView::redrawItems(int first, int last) {
    sys::listRedrawItems(handle(), first, last);
}

void ProgressBar::setRange(int low, int high) {
    sys::progressSetRange(handle(), low, high);
}
int ProgressBar::setPos(int pos) {
    return sys::progressSetPos(handle(), pos);
}
int ProgressBar::pos() const {
    return sys::progressPos(handle());
}
int ProgressBar::setStep(int step) {
    return sys::progressSetStep(handle(), step);
}
int ProgressBar::stepIt() {
    return sys::progressStepIt(handle());
}

ImageList::~ImageList() {
    if (handle_ != nullptr) {
        sys::imageListDestroy(handle_);
    }
}

bool ImageList::createFromBitmap(int bitmapId, int imageWidth, std::uint32_t transparentRgb) {
    handle_ = sys::imageListFromBitmap(bitmapId, imageWidth, transparentRgb, &count_);
    width_ = handle_ != nullptr ? imageWidth : 0;
    return handle_ != nullptr;
}

Point cursorPos() {
    return detail::host().cursorPos();
}

}  // namespace fw
