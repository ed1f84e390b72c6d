#include "view/DialogTemplates.h"

#include <string>

#include "view/CCommPortDlg.h"
#include "view/CStartEndDlg.h"
#include "view/Ids.h"

namespace volmograph {

namespace {

namespace cs = control_style;
using Kind = DialogControlKind;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

DialogControl Control(int id, Kind kind, std::string caption, unsigned style, DialogRect rect) {
  return DialogControl{id, kind, std::move(caption), style, rect};
}

DialogTemplate BuildForm() {
  DialogTemplate form;
  form.id = kFormTemplateId;
  form.rect = {0, 0, 354, 252};
  constexpr unsigned kButton = cs::kTabStop;
  constexpr unsigned kGroup = cs::kDisabled;
  constexpr unsigned kValueStyle =
      cs::kNoWrap | cs::kNoPrefix | cs::kVerticallyCentred | cs::kRightAligned;
  form.controls = {
      Control(ctl::kDisplayFrame, Kind::StaticFrame, "", cs::kBordered | cs::kNotify,
              {90, 3, 261, 116}),
      Control(ctl::kRelButton, Kind::PushButton, "REL", kButton, {91, 120, 49, 15}),
      Control(ctl::kPeakHoldButton, Kind::PushButton, "P-H", kButton, {161, 120, 49, 15}),
      Control(ctl::kMinMaxButton, Kind::PushButton, "M/M", kButton, {232, 120, 49, 15}),
      Control(ctl::kDbButton, Kind::PushButton, "dB", kButton, {301, 119, 50, 15}),
      Control(ctl::kRelGroup, Kind::GroupBox, "REL REFERENCE", kGroup, {5, 6, 81, 24}),
      Control(ctl::kDbGroup, Kind::GroupBox, "dB REFERENCE", kGroup, {5, 38, 81, 23}),
      Control(ctl::kExtremesGroup, Kind::GroupBox, "PEAK HOLD", kGroup, {5, 72, 81, 64}),
      Control(ctl::kSampleList, Kind::ListBox, "",
              cs::kBordered | cs::kVerticalScrollAlways | cs::kTabStop | cs::kNotify,
              {6, 153, 344, 97}),
      Control(ctl::kRelReference, Kind::Static, "", cs::kCentred, {12, 16, 68, 8}),
      Control(ctl::kDbReference, Kind::Static, "", cs::kCentred, {16, 49, 58, 8}),
      Control(ctl::kValue, Kind::Static, "", kValueStyle, {99, 47, 152, 47}),
      Control(ctl::kUnit, Kind::Static, "", 0, {256, 65, 80, 28}),
      Control(ctl::kRms, Kind::Static, "", 0, {256, 44, 45, 21}),
      Control(ctl::kValue2, Kind::Static, "", cs::kRightAligned, {143, 16, 106, 21}),
      Control(ctl::kUnit2, Kind::Static, "", 0, {251, 16, 57, 21}),
      Control(ctl::kPeakMax, Kind::Static, "", 0, {10, 89, 72, 8}),
      Control(ctl::kPeakMin, Kind::Static, "", 0, {10, 115, 72, 8}),
      Control(ctl::kMinMaxMax, Kind::Static, "", 0, {9, 91, 73, 8}),
      Control(ctl::kMinMaxAvg, Kind::Static, "", 0, {10, 107, 72, 8}),
      Control(ctl::kMinMaxMin, Kind::Static, "", 0, {9, 121, 73, 8}),
      Control(ctl::kTimeHeader, Kind::PushButton, "Time", kButton, {6, 140, 61, 14}),
      Control(ctl::kValueHeader, Kind::PushButton, "Measured Value / Range", kButton,
              {67, 140, 284, 14}),
  };
  return form;
}

DialogTemplate BuildCommPort() {
  using Dlg = CCommPortDlg;
  DialogTemplate dialog;
  dialog.id = kCommPortTemplateId;
  dialog.caption = std::string(Dlg::kTitle);
  dialog.rect = {61, 19, 131, 110};
  dialog.controls = {
      Control(kIdOk, Kind::DefaultButton, std::string(Dlg::kOkCaption), cs::kTabStop,
              {77, 25, 33, 14}),
      Control(kIdCancel, Kind::PushButton, std::string(Dlg::kCancelCaption), cs::kTabStop,
              {77, 58, 34, 14}),
  };
  constexpr int kRadioTops[] = {27, 44, 62, 80};
  for (int i = 0; i < 4; ++i) {
    const unsigned style = i == 0 ? cs::kGroupStart | cs::kTabStop : 0;
    dialog.controls.push_back(Control(Dlg::kFirstRadio + i, Kind::RadioButton,
                                      std::string(Dlg::kRadioCaptions[i]), style,
                                      {19, kRadioTops[i], 34, 10}));
  }
  dialog.controls.push_back(
      Control(kNoControlId, Kind::GroupBox, std::string(Dlg::kGroupCaption), 0, {10, 12, 52, 88}));
  return dialog;
}

DialogTemplate BuildStartEnd() {
  using Dlg = CStartEndDlg;
  constexpr unsigned kEdit = cs::kBordered | cs::kAutoScroll | cs::kTabStop;
  DialogTemplate dialog;
  dialog.id = kStartEndTemplateId;
  dialog.rect = {0, 0, 174, 94};
  dialog.controls = {
      Control(Dlg::kStartEdit, Kind::Edit, "", kEdit, {50, 26, 40, 13}),
      Control(Dlg::kEndEdit, Kind::Edit, "", kEdit, {50, 50, 40, 13}),
      Control(kIdOk, Kind::DefaultButton, std::string(Dlg::kOkCaption), cs::kTabStop,
              {127, 19, 31, 14}),
      Control(kIdCancel, Kind::PushButton, std::string(Dlg::kCancelCaption), cs::kTabStop,
              {127, 54, 31, 14}),
      Control(kNoControlId, Kind::Static, std::string(Dlg::kStartLabel), 0, {17, 28, 25, 8}),
      Control(kNoControlId, Kind::Static, std::string(Dlg::kEndLabel), 0, {22, 52, 19, 8}),
  };
  return dialog;
}

DialogTemplate BuildAboutBox() {
  DialogTemplate dialog;
  dialog.id = kAboutBoxTemplateId;
  dialog.caption = "About...";
  dialog.rect = {0, 0, 163, 70};
  dialog.controls = {
      Control(kNoControlId, Kind::Static, "Volmograph Version 3.1B", cs::kCentred, {36, 10, 97, 8}),
      Control(kNoControlId, Kind::Static, "Linux edition", cs::kCentred, {51, 26, 59, 8}),
      Control(kIdOk, Kind::DefaultButton, "OK", cs::kTabStop, {64, 45, 32, 14}),
  };
  return dialog;
}

}  // namespace

const DialogTemplate& FormTemplate() {
  static const DialogTemplate form = BuildForm();
  return form;
}

const DialogTemplate& CommPortTemplate() {
  static const DialogTemplate dialog = BuildCommPort();
  return dialog;
}

const DialogTemplate& StartEndTemplate() {
  static const DialogTemplate dialog = BuildStartEnd();
  return dialog;
}

const DialogTemplate& AboutBoxTemplate() {
  static const DialogTemplate dialog = BuildAboutBox();
  return dialog;
}

}  // namespace volmograph
