Select  Item_Code,  Item_Name, Item_Text
From    Item_Table
Where  rtrim(Item_Name) like ( :tbName )
Order  By Item_Code
