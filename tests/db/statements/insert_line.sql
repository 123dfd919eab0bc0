  Insert  Into  Account_Qel_AA       (                                                                                            
    Serial, Serial_Qel, Serial_Bun, Serial_CrDr, Month_Char,                                                                      
    Year_Char, Date_Day, Table_Kubun, Kubun_Bon, Kubun_Qel, Kubun_Amt, Form_Kubun,                                                
    Giel_Serial, Ac_QelCode, Ac_QelName, Ac_Text, Item_Code, Item_Name, Kubun_Code, Kubun_Name,                                   
    Project_Code, Project_Name, Buser_Code, Buser_Name, Sawon_Code, Sawon_Name, Cr_Amt, Dr_Amt, End_Day   )                       
    Values    (                                                                                                                   
    :tbSerial, :tbSerial_Qel, :tbSerial_Bun, :tbSerial_CrDr, :tbMonth_Char,                                                       
    :tbYear_Char, :tbDate_Day, :tbTable_Kubun, :tbKubun_Bon, :tbKubun_Qel, :tbKubun_Amt, :tbForm_Kubun,                           
    :tbGiel_Serial, :tbAc_QelCode, :tbAc_QelName, :tbAc_Text, :tbItem_Code, :tbItem_Name, :tbKubun_Code, :tbKubun_Name,           
    :tbProject_Code, :tbProject_Name, :tbBuser_Code, :tbBuser_Name, :tbSawon_Code, :tbSawon_Name, :tbCr_Amt, :tbDr_Amt, :tbEnd_Day )
