Select   *
From     (
	Select  Tot = ' ',  Serial_Bun , Kubun_Bon , Ac_QelCode, Ac_QelName,
	        Serial_Qel , Serial_CrDr, Cr_Amt,  Dr_Amt,  Ac_Text,
	        Sawon_NameCode = (rtrim(Sawon_Name)  + '   ' + rtrim(Sawon_Code)),
	        Buser_NameCode  = (rtrim(Buser_Name)  +  '   ' + rtrim(Buser_Code)),
	        Kubun_NameCode = (rtrim(Kubun_Name) +  '   ' + rtrim(Kubun_Code)),
	        Project_NameCode = (rtrim(Project_Name) +  '   ' + rtrim(Project_Code)),
	        Item_NameCode = (rtrim(Item_Name) +  '   ' + rtrim(Item_Code))
	From    Account_Qel_AA
	Where   rtrim(Date_Day)     =  :tbDateDay     and
	        rtrim(Kubun_Bon)    =  :tbKubunBon    and
	        rtrim(Serial_Qel)   =  :tbSerialQel
	Union
	Select  Tot, Serial_Bun = '', Kubun_Bon = '', Serial_Qel = '', Ac_QelCode = '', Ac_QelName = '',
	        Serial_CrDr = '', Cr_Amt = 0, Dr_Amt = 0, Ac_Text = '',
	        Sawon_NameCode = '', Buser_NameCode = '',
	        Kubun_NameCode = '', Project_NameCode = '',
	        Item_NameCode = ''
	From    Qel_Print
	Where   Tot <=  :tbCount
)  T

Order    By Tot, Serial_Qel, Serial_Bun, Serial_CrDr
