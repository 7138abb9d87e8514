#include "protocols/ethernet/UTopicTemplate.h"

#include "shell/ULanguage.h"

TFTopicTemplate* FTopicTemplate = nullptr;

TFTopicTemplate::TFTopicTemplate(TComponent* AOwner) : TShellForm(AOwner, Lang_First)
{
    SetClientWidth(635);
    SetClientHeight(396);
    Add_Button_Panel();
    Btn_OK->SetModalResult(mrOk);

    P_Legend = new TPanel(this);
    P_Legend->SetParent(this);
    P_Legend->SetAlign(alBottom);
    P_Legend->SetHeight(108);
    P_Legend->SetBevelOuter(bvNone);
    P_Legend->SetShowCaption(false);
    L_List_Keywords = new TLabel(this);
    L_List_Keywords->SetParent(P_Legend);
    L_List_Keywords->SetLeft(8);
    L_List_Keywords->SetTop(4);
    ESG_Keywords = new TExStringGrid(this);
    ESG_Keywords->SetParent(P_Legend);
    ESG_Keywords->SetBounds(8, 22, 619, 82);
    ESG_Keywords->SetColCount(2);
    ESG_Keywords->SetRowCount(2);
    ESG_Keywords->SetFixedRows(1);
    ESG_Keywords->SetFixedCols(0);
    ESG_Keywords->SetColWidths(0, 200);
    ESG_Keywords->SetColWidths(1, 380);
    ESG_Keywords->SetOptions(ESG_Keywords->Options() + TGridOptions{goEditing});

    Splitter1 = new TSplitter(this);
    Splitter1->SetParent(this);
    Splitter1->SetAlign(alBottom);
    Splitter1->SetHeight(3);
    Splitter1->SetColor(clSilver);

    Panel1 = new TPanel(this);
    Panel1->SetParent(this);
    Panel1->SetAlign(alClient);
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetShowCaption(false);
    RE_TopicTemplate = new TRichEdit(this);
    RE_TopicTemplate->SetParent(Panel1);
    RE_TopicTemplate->SetAlign(alClient);
    RE_TopicTemplate->SetPlainText(true);

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TFTopicTemplate::Set_Lang()
{
    SetCaption(Lang.Strings(3400));
    L_SW_Desc->SetCaption(Lang.Strings(3402));
    L_List_Keywords->SetCaption(Lang.Strings(3404));
    ESG_Keywords->SetCells(0, 0, Lang.Strings(3405));
    ESG_Keywords->SetCells(1, 0, Lang.Strings(3406));
    Btn_OK->SetCaption(Lang.Strings(3407));
    Btn_Cancel->SetCaption(Lang.Strings(3408));
}

void TFTopicTemplate::FormShow(TObject*)
{
    const bool Template = TopicTemplate != 0;
    SetCaption(Lang.Strings(Template ? 3401 : 3400));
    L_SW_Desc->SetCaption(Lang.Strings(Template ? 3403 : 3402));
    Laod_Keywords();
    if (RE_TopicTemplate->CanFocus())
        RE_TopicTemplate->SetFocus();
}

void TFTopicTemplate::Laod_Keywords()
{
    const Integer Count = Integer(Keywords.size());
    ESG_Keywords->SetRowCount(std::max(Count, 1) + 1);
    for (Integer R = 1; R < ESG_Keywords->RowCount(); ++R) {
        ESG_Keywords->SetCells(0, R, R <= Count ? Keywords[R - 1] : String());
        ESG_Keywords->SetCells(1, R, R <= Count ? Keyword_Descriptions.value(R - 1) : String());
        ESG_Keywords->SetReadOnly(1, R, true);
    }
}
