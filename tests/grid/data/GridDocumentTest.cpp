// The grid as a table in word-processor documents: new, at a bookmark and
// at the end, with texts, line breaks and alignments.
#include "GridTextTestSupport.h"

#include "platform/OfficePackage.h"

#include <pugixml.hpp>

namespace {

class GridDocumentTest : public GridTextTest {
protected:
    void SetUp() override
    {
        Put({{"Name", "Value"}, {"two\r\nlines", "42"}});
        G.OnGetAlignment = [](TObject*, Integer ARow, Integer ACol, TAlignment& H, TVAlignment&) {
            if (ARow == 1)
                H = ACol == 1 ? taRightJustify : taCenter;
        };
    }
    static pugi::xml_document Body(const String& File)
    {
        const QByteArray Xml =
            platform::TOfficePackage(File, platform::TOfficePackage::TMode::pmRead).Read("word/document.xml");
        pugi::xml_document Doc;
        EXPECT_TRUE(Doc.load_buffer(Xml.constData(), size_t(Xml.size())));
        return Doc;
    }
    // The body's children by name, a table as "tbl", a paragraph by its text.
    static QStringList Outline(const pugi::xml_document& Doc)
    {
        QStringList Items;
        for (pugi::xml_node N : Doc.document_element().child("w:body").children()) {
            const std::string Name = N.name();
            Items << (Name == "w:p" ? "p:" + QString::fromUtf8(N.child("w:r").child("w:t").text().get())
                                    : QString::fromStdString(Name));
        }
        return Items;
    }
    // The table's cells as "text/alignment", rows joined by "|".
    static QStringList Cells(const pugi::xml_document& Doc)
    {
        QStringList Rows;
        for (pugi::xml_node Tr : Doc.document_element().child("w:body").child("w:tbl").children("w:tr")) {
            QStringList Row;
            for (pugi::xml_node Tc : Tr.children("w:tc")) {
                const pugi::xml_node P = Tc.child("w:p");
                QStringList Lines;
                for (pugi::xml_node T : P.child("w:r").children("w:t"))
                    Lines << QString::fromUtf8(T.text().get());
                Row << Lines.join(u'/') + u'@' + QString::fromUtf8(P.child("w:pPr").child("w:jc").attribute("w:val").value());
            }
            Rows << Row.join(u'|');
        }
        return Rows;
    }
    // A document with paragraphs "before", a bookmark "here" in "mark" and "after".
    String Existing()
    {
        const String File = Path("old.docx");
        G.SaveToDOC(File);
        officefilesEdit(File);
        return File;
    }
    static void officefilesEdit(const String& File)
    {
        platform::TOfficePackage P(File, platform::TOfficePackage::TMode::pmEdit);
        P.Write("word/document.xml",
                "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>"
                "<w:p><w:r><w:t>before</w:t></w:r></w:p>"
                "<w:p><w:bookmarkStart w:id=\"0\" w:name=\"here\"/><w:r><w:t>mark</w:t></w:r><w:bookmarkEnd w:id=\"0\"/></w:p>"
                "<w:p><w:r><w:t>after</w:t></w:r></w:p><w:sectPr/></w:body></w:document>");
        P.Commit();
    }
};

} // namespace

TEST_F(GridDocumentTest, NewDocumentHoldsTheTableAndTheCaption)
{
    G.SaveToDOC(Path("n.docx"));
    const pugi::xml_document Doc = Body(Path("n.docx"));
    EXPECT_EQ(Outline(Doc), (QStringList{"w:tbl", "p:", "w:sectPr"}));
    EXPECT_EQ(Cells(Doc), (QStringList{"Name@|Value@", "two/lines@center|42@right"}));
}

TEST_F(GridDocumentTest, AppendAtABookmarkAndAtTheEnd)
{
    const String File = Existing();
    G.AppendToDoc(File, "here");
    EXPECT_EQ(Outline(Body(File)), (QStringList{"p:before", "p:mark", "w:tbl", "p:after", "w:sectPr"}));
    EXPECT_EQ(Cells(Body(File)), (QStringList{"Name@|Value@", "two/lines@center|42@right"}));

    officefilesEdit(File);
    G.AppendToDoc(File, "nowhere");
    EXPECT_EQ(Outline(Body(File)), (QStringList{"p:before", "p:mark", "p:after", "w:tbl", "p:", "w:sectPr"}));
    officefilesEdit(File);
    G.AppendToDoc(File, "");
    EXPECT_EQ(Outline(Body(File)), (QStringList{"p:before", "p:mark", "p:after", "w:tbl", "p:", "w:sectPr"}));
}

TEST_F(GridDocumentTest, AppendToSomethingElseLeavesIt)
{
    const String File = WriteFile("plain.docx", "plain text");
    EXPECT_TRUE(RaisedMessage([&] { G.AppendToDoc(File, ""); }).contains(File));
    EXPECT_EQ(ReadFileBytes(File), QByteArray("plain text"));
}
