#include "tests/support/window/mainwindowui.h"

#include "selection/lighttable/lighttable.h"

MainWindowUi::MainWindowUi(MainWindow& w)
    : Image2(w.Image2), Image1(w.Image1), Image3(w.Image3), Command4(w.Command4),
      Command3(w.Command3), Command2(w.Command2), Command1(w.Command1), Command5(w.Command5),
      Label7(w.Label7), ProgressBar2(w.ProgressBar2), Frame1(w.Frame1), Drive1(w.Drive1),
      Dir1(w.Dir1), Label1(w.Label1), File1(w.File1), Label3(w.Label3), Label6(w.Label6),
      Frame3(w.Frame3), Label4(w.Label4), Label2(w.Label2), Image11(w.Image11), Image5(w.Image5),
      Image4(w.Image4), image110(w.image110), Label9(w.Label9), Label8(w.Label8),
      Image10(w.Image10), Image12(w.Image12), ProgressBar1(w.ProgressBar1), Frame4(w.Frame4),
      MSFlexGrid1(w.MSFlexGrid1), Label5(w.Label5), WebBrowser1(w.WebBrowser1),
      sharperThumbnails(w.sharperThumbnails), CommonDialog1(w.m_order->CommonDialog1),
      current_file(w.m_browse->current_file), project_path(w.m_order->project_path),
      selection(w.m_order->list), order(w.m_order->order), orderActions(w.orderActions),
      lightTable(w.lightTable), browseController(*w.m_browse), orderController(*w.m_order) {}
